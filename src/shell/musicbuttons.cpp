#include "shell/musicbuttons.h"

#include "shell/music.h"
#include "shell/program.h"
#include "shell/desk.h"
#include "shell/optionswindow.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>

namespace musicbuttons {

void FormShow(Program& program, QAbstractButton* btnmusic)
{
    btnmusic->setChecked(program.settings.play);
    music::ApplyMusicSwitch(program);
}

void btnmusicClick(Program& program, QAbstractButton* btnmusic)
{
    program.settings.play = btnmusic->isChecked();
    music::ApplyMusicSwitch(program);
}

void btnnextClick(Program& program, QAbstractButton* btnnext)
{
    btnnext->setEnabled(false);
    program.autoNext = false;
    music::StopMusic(program);
    QCoreApplication::processEvents();
    music::ApplyMusicSwitch(program);
    btnnext->setEnabled(true);
}

void btnoptionsClick(Program& program, Desk& desk)
{
    music::StopMusic(program);
    if (OptionsWindow* options = desk.options)
        options->exec();
    music::ApplyMusicSwitch(program);
}

void FormClose(Program& program)
{
    music::StopMusic(program);
}

} // namespace musicbuttons
