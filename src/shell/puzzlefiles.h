#pragma once

#include "shell/puzzlekind.h"

#include <QString>
#include <functional>

class Program;
class PuzzlePicker;
class NameDialog;
class QWidget;

// The save and open flows that every puzzle type shares.
namespace puzzlefiles {

// Sets up a maker's name dialogue: "Puzzle name", 30 characters, file-name characters only.
void ConfigureNameDialog(NameDialog& sd1);

enum class SaveResult {
    Saved,    // written; currentName is the saved name
    Declined, // the user answered No to "Save puzzle"
    Failed,   // the writer failed; currentName is unchanged
};

// After a build: asks whether to save, asks for a name until one is given or the user declines,
// asks before replacing, writes, and reports. maker is repainted afterwards.
SaveResult SaveAfterBuild(Program& program, NameDialog& sd1, const PuzzleKind& kind, QString& currentName,
                    QWidget* maker);

// Lists the puzzle folder for the kind in the picker and lets the user choose. Returns the
// chosen file's actual name (with extension), or "" after Cancel or with no row chosen.
// playWindow is repainted afterwards.
QString PickPuzzleFile(Program& program, PuzzlePicker& picker, const PuzzleKind& kind, QWidget* playWindow);

// The warning every type shows when a chosen puzzle cannot be read.
void ShowLoadError(Program& program);

enum class Pick { Nothing, Failed, Loaded };

// The open flow every type shares: the picker lists the kind's files, then load reads the chosen
// one (its name with extension) and returns the reader's code; a code other than 0 shows the
// load error, after which failed runs. Nothing when the user chose nothing.
Pick PickAndLoad(Program& program, PuzzlePicker& picker, const PuzzleKind& kind, QWidget* playWindow,
                 const std::function<int(const QString& chosen)>& load, const std::function<void()>& failed = {});

} // namespace puzzlefiles
