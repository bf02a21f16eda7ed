#pragma once

#include <QString>

class Program;

// What plays the program's tunes. The program is silent until one is attached to Program.
class MusicControl {
public:
    virtual ~MusicControl() = default;
    virtual void PlayNextTune() = 0;
    virtual void PlayTestTune(const QString& fileName) = 0;
    virtual void StopMusic() = 0;
    // The next tune in order is the first of the list again.
    virtual void ResetTunePosition() = 0;
};

// The calls every play window makes; each does nothing while no player is attached.
namespace music {

void PlayNextTune(Program& program);
void PlayTestTune(Program& program, const QString& fileName);
void StopMusic(Program& program);
void ResetTunePosition(Program& program);
// Plays the mode's next tune when music is switched on, stops it otherwise.
void ApplyMusicSwitch(Program& program);

} // namespace music
