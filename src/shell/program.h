#pragma once

#include "platform/fileaccess.h"
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

// Where an installed program sits and where the data of an installed program goes; compiled in.
struct InstallLayout {
    QString binFolder;     // the program's folder once installed, e.g. /usr/games
    QString sharedFolder;  // the data folder every user of the machine shares, e.g. /var/games/brainloft
    QString privateFolder; // the user's own data folder, when the shared one is not usable

    static InstallLayout compiledIn();
};

// Where the program and its data live. Every folder ends with '/'.
struct ProgramPaths {
    // The folder every data path is built from: the puzzle and music folders, the puzzle-pack
    // installers and their bookkeeping, the permission marker. Beside the program when it runs
    // from a build or an unpacked folder; the shared data folder when installed, or the user's
    // own when the shared one is not usable.
    QString programFolder;
    QString programFile;      // the program's own file
    QString executableFolder; // the folder of the program's own file
    QString inventoryFolder;  // holds the shared product inventory "Oakhollow.ini"
    QString settingsFile;     // the per-user settings store
    QString runtimeFolder;    // holds the single-instance lock; empty for the user's default
    // Who may read and write what the program opens "to every user".
    fileaccess::Sharing sharing = fileaccess::Sharing::Everyone;

    // The names of the two data folders inside the program folder.
    static QString puzzleFolderName() { return QStringLiteral("Brainloft puzzles"); }
    static QString musicFolderName() { return QStringLiteral("Brainloft music"); }
    // The puzzle folder of any program folder (ending with '/').
    static QString puzzleFolderIn(const QString& programFolder) { return programFolder + puzzleFolderName(); }

    QString puzzleFolder() const { return puzzleFolderIn(programFolder); }
    QString musicFolder() const { return programFolder + musicFolderName(); }
    // A file inside the puzzle folder.
    QString puzzleFile(const QString& name) const { return puzzleFolder() + QLatin1Char('/') + name; }

    // Places the data (programFolder, sharing) for a program in executableFolder.
    void placeData(const InstallLayout& layout);

    // The paths of this running program and user; the process opens files with their sharing.
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
