#include "shell/music.h"

#include "shell/program.h"

namespace music {

void PlayNextTune(Program& program)
{
    if (program.musicControl)
        program.musicControl->PlayNextTune();
}

void PlayTestTune(Program& program, const QString& fileName)
{
    if (program.musicControl)
        program.musicControl->PlayTestTune(fileName);
}

void StopMusic(Program& program)
{
    if (program.musicControl)
        program.musicControl->StopMusic();
}

void ResetTunePosition(Program& program)
{
    if (program.musicControl)
        program.musicControl->ResetTunePosition();
}

void ApplyMusicSwitch(Program& program)
{
    if (program.settings.play)
        PlayNextTune(program);
    else
        StopMusic(program);
}

} // namespace music
