#pragma once

#include "shell/music.h"

#include <QObject>
#include <QStringList>

#include <functional>

class Program;
class TunePlayer;

// Chooses and plays the program's tunes: the next tune of the playlist mode, one tune for the
// options window's test, and the next again when a tune ends. Knows no window: the tune list,
// the wait cursor, the clock and the test button come in as functions.
class Jukebox : public QObject, public MusicControl {
    Q_OBJECT
public:
    Jukebox(Program& program, TunePlayer& player, QObject* parent = nullptr);

    // The tune list of the music folder (file names), as the options window holds it.
    std::function<QStringList()> tuneList = [] { return QStringList(); };
    // Shows (true) or takes away (false) the wait cursor.
    std::function<void(bool)> hourglass = [](bool) {};
    // Milliseconds from any fixed start; tells tunes that end at once from the rest.
    std::function<qint64()> clock;
    // A test tune has ended or could not start: the test button is enabled again.
    std::function<void()> testEnded = [] {};

    void PlayNextTune() override;
    void PlayTestTune(const QString& fileName) override;
    void StopMusic() override;
    void ResetTunePosition() override;

    // The player's end of a tune.
    void mpmusicNotify();

    bool opened() const { return opened_; }
    bool testing() const { return testing_; }
    TunePlayer& mpmusic() { return player_; }

    // Tunes that end within this long count as duds; a run of as many duds as the list holds
    // ends the chain.
    static constexpr qint64 kDudMilliseconds = 1000;

private:
    void playChosen();
    QString chooseTune(const QStringList& list);
    QString musicPrefix() const;

    Program& program_;
    TunePlayer& player_;
    bool opened_ = false;
    bool testing_ = false;
    qint64 startedAt_ = 0;
    int dudsInARow_ = 0;
};
