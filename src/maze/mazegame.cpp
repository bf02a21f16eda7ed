#include "maze/mazegame.h"

#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazepicture.h"
#include "platform/filenames.h"

namespace maze {

MazeGame::MazeGame(MazeState& state)
    : state_(state), mainPicture_(BlankMazePicture(kEasy)), keyPicture_(BlankMazePicture(kEasy))
{
}

void MazeGame::NewMaze(int& level, Rng& rng)
{
    flashPhase_ = true;
    state_.size = GenerateMaze(state_.grid, level, rng);
    level = state_.size;
    DrawMaze();
}

int MazeGame::LoadMaze(const QString& programFolder, const QString& name, int& level)
{
    const int code = LoadMazeFile(programFolder, name, state_.grid, state_.size);
    if (code == 0) {
        name_ = filenames::replaceExtension(name, QString());
        level = state_.size;
        DrawMaze();
        flashPhase_ = true;
        return code;
    }
    name_.clear();
    flashPhase_ = false;
    cursorLit_ = false;
    level = kEasy;
    shown_ = false;
    mainPicture_.fill(Qt::white);
    keyPicture_.fill(Qt::white);
    return code;
}

void MazeGame::DrawMaze()
{
    DrawMazePictures(state_.grid, state_.size, mainPicture_, keyPicture_);
    // The corner is always a wall in a maze this program makes; a file may say otherwise, and
    // then there is no maze to walk, show the key of or print.
    shown_ = state_.size >= 1 && state_.grid.at(0, 0) == mcWall;
    if (const std::optional<int> entrance = FindEntrance(state_.grid, state_.size))
        cursor_ = Cell{*entrance, 0};
    cursorLit_ = false;
    atExit_ = false;
}

void MazeGame::HideMaze()
{
    shown_ = false;
    mainPicture_.fill(Qt::white);
}

KeyOutcome MazeGame::Press(std::optional<Direction> arrow)
{
    KeyOutcome outcome;
    if (!shown_ || atExit_)
        return outcome;
    if (arrow) {
        if (const std::optional<Cell> next = MoveCursor(state_.grid, state_.size, cursor_, *arrow)) {
            cursor_ = *next;
            cursorLit_ = true;
            outcome.moved = true;
        }
    }
    atExit_ = IsAtExit(cursor_.y, state_.size);
    outcome.atExit = atExit_;
    return outcome;
}

void MazeGame::Flash()
{
    cursorLit_ = flashPhase_;
    flashPhase_ = !flashPhase_;
}

} // namespace maze
