#include "app/startprogram.h"

#include "platform/fileaccess.h"
#include "shell/program.h"
#include "shell/settingsstore.h"
#include "shell/startup.h"
#include "shell/tunes.h"

void StartProgram(Program& program)
{
    program.rng.seed(program.seedSource());
    startup::PrepareFolder(program.paths.puzzleFolder());
    startup::PrepareFolder(program.paths.musicFolder());
    tunes::ExtractTunes(program.paths.musicFolder());
    startup::RecordProductInventory(program);
    // What the pass cannot change stays as it was; the program works with it all the same.
    if (fileaccess::runningAsAdministrator() && !startup::PermissionPassDone(program))
        startup::RunPermissionPass(program, startup::PermissionPassEntries(program));
    LoadSettings(program);
}
