#pragma once

#include "shell/jukebox.h"

#include <QWidget>

class Program;
class TunePlayer;
struct Desk;

// The hidden window that owns the music: it plays through mpmusic and is the program's music
// control from its creation on.
class MusicPlayer : public QWidget, public MusicControl {
    Q_OBJECT
public:
    MusicPlayer(Program& program, Desk& desk, TunePlayer& mpmusic, QWidget* parent = nullptr);
    ~MusicPlayer() override;

    void PlayNextTune() override { jukebox_.PlayNextTune(); }
    void PlayTestTune(const QString& fileName) override { jukebox_.PlayTestTune(fileName); }
    void StopMusic() override { jukebox_.StopMusic(); }
    void ResetTunePosition() override { jukebox_.ResetTunePosition(); }

    TunePlayer& mpmusic() { return jukebox_.mpmusic(); }
    bool opened() const { return jukebox_.opened(); }
    bool testing() const { return jukebox_.testing(); }
    Jukebox& jukebox() { return jukebox_; }

private:
    Program& program_;
    Jukebox jukebox_;
};
