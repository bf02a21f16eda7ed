#pragma once

#include "platform/rng.h"
#include "shell/settings.h"

#include <QString>
#include <cstdint>
#include <functional>

class Clock;
class CursorTable;
class MessageBoxes;
class MusicControl;
class PrinterSetup;
class ProcessRunner;

// Where the program and its data live. Every folder ends with '/'.
struct ProgramPaths {
    QString programFolder;   // the folder of the running program
    QString programFile;     // the program's own file
    QString inventoryFolder; // holds the shared product inventory "Oakhollow.ini"
    QString settingsFile;    // the per-user settings store
    QString runtimeFolder;   // holds the single-instance lock; empty for the user's default

    QString puzzleFolder() const { return programFolder + QStringLiteral("Brainloft puzzles"); }
    QString musicFolder() const { return programFolder + QStringLiteral("Brainloft music"); }
    // A file inside the puzzle folder.
    QString puzzleFile(const QString& name) const { return puzzleFolder() + QLatin1Char('/') + name; }

    // The paths of this running program and user.
    static ProgramPaths forRunningProgram();
};

// Which pages a print prints and how many copies of each; reset at every opening of the print
// options.
struct PrintChoices {
    bool printPuzzle = true;
    bool printKey = false;
    int puzzleCopies = 1; // 1 to 99
    int keyCopies = 1;    // 1 to 99
};

// The program-wide state: one current puzzle per type, the settings, the active puzzle type,
// the one random generator, and the seams through which the program meets the user and system.
class Program {
public:
    Program(ProgramPaths paths, MessageBoxes& boxes, Clock& clock, ProcessRunner& processes);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramPaths paths;
    Rng rng;
    Settings settings;
    int activePuzzleType = 0; // 1 picture, 2 cryptogram, 3 word search, 4 maze
    bool previewSwitch = false; // the picker shows picture previews while true

    // Where the one seed of the run comes from: a high-resolution clock; tests fix it.
    std::function<std::uint64_t()> seedSource;

    // Music: the player (null: silent), whether a tune's end starts the next, and the position
    // of the in-order mode in the tune list.
    MusicControl* musicControl = nullptr;
    bool autoNext = false;
    int tuneIndex = -1;

    PrintChoices printChoices;

    MessageBoxes& boxes;
    Clock& clock;
    PrinterSetup* printer = nullptr; // the one printer of the run; null: nowhere to print
    CursorTable* cursors = nullptr; // the program's named cursors; null in tests
    ProcessRunner& processes;
};

namespace puzzletype {
constexpr int kPicture = 1;
constexpr int kCryptogram = 2;
constexpr int kWordSearch = 3;
constexpr int kMaze = 4;
} // namespace puzzletype
