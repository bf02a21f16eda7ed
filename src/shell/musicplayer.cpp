#include "shell/musicplayer.h"

#include "shell/program.h"
#include "shell/optionswindow.h"
#include "shell/desk.h"

#include <QGuiApplication>

MusicPlayer::MusicPlayer(Program& program, Desk& desk, TunePlayer& mpmusic, QWidget* parent)
    : QWidget(parent), program_(program), jukebox_(program, mpmusic, this)
{
    setObjectName(QStringLiteral("fmplayer"));
    setWindowTitle(QStringLiteral("Player"));
    // The tune list is the options window's, as it was last refreshed.
    jukebox_.tuneList = [&desk] {
        return desk.options ? desk.options->tuneFiles() : QStringList();
    };
    jukebox_.testEnded = [&desk] {
        if (desk.options)
            desk.options->TestTuneEnded();
    };
    jukebox_.hourglass = [](bool on) {
        if (on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    };
    program_.musicControl = this;
}

MusicPlayer::~MusicPlayer()
{
    if (program_.musicControl == this)
        program_.musicControl = nullptr;
}
