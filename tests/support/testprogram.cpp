#include "support/testprogram.h"

#include <QDir>

TestProgram::TestProgram(std::uint64_t seed, bool createFolders)
{
    ProgramPaths paths;
    paths.programFolder = root.path() + QStringLiteral("/program/");
    paths.programFile = paths.programFolder + QStringLiteral("brainloft");
    paths.inventoryFolder = root.path() + QStringLiteral("/config/");
    paths.settingsFile = root.path() + QStringLiteral("/config/Oakhollow/Brainloft.ini");
    paths.runtimeFolder = root.path() + QStringLiteral("/runtime/");
    QDir().mkpath(paths.programFolder);
    QDir().mkpath(paths.inventoryFolder);
    if (createFolders) {
        QDir().mkpath(paths.puzzleFolder());
        QDir().mkpath(paths.musicFolder());
    }
    program = std::make_unique<Program>(paths, boxes, clock, processes);
    program->rng.seed(seed);
    program->seedSource = [seed] { return seed; };
}
