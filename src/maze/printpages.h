#pragma once

#include "printing/pagelayout.h"

#include <QString>

// The maze's printed page: the title over the maze, or over its key, 600 units square, its
// walls and route drawn as rectangles.
namespace maze {

class MazeGame;

// The page's own size, in which its items are laid out.
constexpr int kPageWidth = 616;
constexpr int kPageHeight = 703;

// The page of the maze on show (key false) or of its key, titled name ("UNTITLED" when empty;
// the key's title ends in "   <KEY>"). The picture is the maze's size square, whatever the
// level now says, and never shows the cursor.
printing::PageLayout MazePage(const MazeGame& game, bool key, const QString& name);

} // namespace maze
