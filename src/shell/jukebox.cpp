#include "shell/jukebox.h"

#include "platform/filenames.h"
#include "platform/tuneplayer.h"
#include "shell/program.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>

Jukebox::Jukebox(Program& program, TunePlayer& player, QObject* parent)
    : QObject(parent), program_(program), player_(player)
{
    clock = [] {
        static QElapsedTimer timer;
        if (!timer.isValid())
            timer.start();
        return timer.elapsed();
    };
    connect(&player_, &TunePlayer::ended, this, &Jukebox::mpmusicNotify);
}

QString Jukebox::musicPrefix() const
{
    return program_.paths.musicFolder() + QLatin1Char('/');
}

QString Jukebox::chooseTune(const QStringList& list)
{
    const Settings& settings = program_.settings;
    if (settings.music == 1) {
        // The whole name must match, and it must name a file inside the music folder.
        const QString& selected = settings.selected;
        if (!selected.isEmpty() && !selected.contains(QLatin1Char('/')) && !selected.contains(QLatin1Char('\\'))) {
            const QString path = filenames::resolveInFolder(program_.paths.musicFolder(), selected);
            if (QFileInfo(path).isFile())
                return path;
        }
        return list.isEmpty() ? QString() : musicPrefix() + list.first();
    }
    if (settings.music == 2) {
        int& index = program_.tuneIndex;
        ++index;
        if (index > list.size() - 1)
            index = 0;
        return index >= 0 && index < list.size() ? musicPrefix() + list[index] : QString();
    }
    if (list.isEmpty())
        return QString();
    return musicPrefix() + list[program_.rng.random(static_cast<int>(list.size()))];
}

void Jukebox::PlayNextTune()
{
    // Music started by a button or a window always gets a fresh chance.
    dudsInARow_ = 0;
    playChosen();
}

void Jukebox::playChosen()
{
    hourglass(true);
    const QString path = chooseTune(tuneList());
    testing_ = false;
    if (!path.isEmpty() && player_.open(path)) {
        opened_ = true;
        program_.autoNext = true;
        startedAt_ = clock();
        player_.play();
    } else {
        opened_ = false; // opening closed whatever was open
    }
    QCoreApplication::processEvents();
    hourglass(false);
}

void Jukebox::PlayTestTune(const QString& fileName)
{
    hourglass(true);
    program_.autoNext = false;
    if (!fileName.isEmpty() && player_.open(musicPrefix() + fileName)) {
        opened_ = true;
        testing_ = true;
        player_.play();
    } else {
        // Nothing will end, so nothing else would give the test button back.
        opened_ = false;
        testing_ = false;
        testEnded();
    }
    QCoreApplication::processEvents();
    hourglass(false);
}

void Jukebox::StopMusic()
{
    testing_ = false;
    if (opened_) {
        program_.autoNext = false;
        player_.stop();
        player_.close();
        opened_ = false;
    }
    QCoreApplication::processEvents();
}

void Jukebox::ResetTunePosition()
{
    program_.tuneIndex = -1;
}

void Jukebox::mpmusicNotify()
{
    if (testing_) {
        testEnded();
        testing_ = false;
        program_.autoNext = false;
        return;
    }
    if (!program_.autoNext)
        return;
    // A list of tunes that all end at once would restart for ever.
    dudsInARow_ = clock() - startedAt_ < kDudMilliseconds ? dudsInARow_ + 1 : 0;
    if (dudsInARow_ >= std::max<qsizetype>(1, tuneList().size())) {
        program_.autoNext = false;
        return;
    }
    playChosen();
}
