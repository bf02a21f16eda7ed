#pragma once

#include "maze/state.h"
#include "maze/walk.h"

#include <QImage>
#include <QString>
#include <optional>

class Rng;

namespace maze {

// What one key press did.
struct KeyOutcome {
    bool moved = false;  // the cursor stepped to another cell
    bool atExit = false; // the exit is reached; keys wait until Restart
};

// The maze being played: the program's one grid and its size, whether that maze is on show, the
// player's cursor with its flash, the puzzle's name and the two pictures drawn from the grid
// (one pixel a cell). Windows draw these and forward keys; nothing here knows a widget.
class MazeGame {
public:
    explicit MazeGame(MazeState& state);

    const MazeState& state() const { return state_; }
    int size() const { return state_.size; }

    // A new maze at level, which becomes the maze's size (a level no maze has gives the hard
    // size). The flash starts in its lit phase.
    void NewMaze(int& level, Rng& rng);
    // Loads the puzzle file picked as name: 0 and the maze on show with the name without its
    // extension, level taking the maze's size; otherwise the reader's code, nothing on show, no
    // name, level easy, the cursor dark and the flash in its dark phase. Grid and size change
    // only when the file is read whole.
    int LoadMaze(const QString& programFolder, const QString& name, int& level);
    // Shows the maze in the grid: both pictures drawn, the cursor on the entrance (where it was
    // when there is none), the cursor dark. The restart after a win is the same.
    void DrawMaze();
    void Restart() { DrawMaze(); }
    // Takes the maze off show (the key keeps its picture).
    void HideMaze();

    // A maze is on show when one was drawn and its corner cell is a wall.
    bool shown() const { return shown_; }
    const QImage& mainPicture() const { return mainPicture_; }
    // The maze with its route; blank until a maze is drawn and after a failed load.
    const QImage& keyPicture() const { return keyPicture_; }

    const QString& name() const { return name_; }
    void setName(const QString& name) { name_ = name; }

    Cell cursor() const { return cursor_; }
    // Whether the cursor's cell shows in the cursor colour now.
    bool cursorLit() const { return cursorLit_; }
    bool flashPhase() const { return flashPhase_; }

    // An arrow steps the cursor by the step rule and lights it; any other key (none) moves
    // nothing. Every key then runs the exit test. Without a maze on show, or while a reached
    // exit waits for Restart, keys do nothing.
    KeyOutcome Press(std::optional<Direction> arrow);
    // One flash tick: the cursor shows the phase, then the phase flips.
    void Flash();
    // The cursor's cell goes dark (a printed maze never shows it).
    void HideCursor() { cursorLit_ = false; }

private:
    MazeState& state_;
    QImage mainPicture_;
    QImage keyPicture_;
    QString name_;
    Cell cursor_;
    bool shown_ = false;
    bool cursorLit_ = false;
    bool flashPhase_ = false;
    bool atExit_ = false;
};

} // namespace maze
