#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// The size and place rules that the maze window and its key share. A window of picture size S
// (300, 600 or 900) has a client area of S plus its margins; it "is" S when either dimension
// matches.
namespace maze {

struct WindowMargins {
    int width = 40;  // left and right margins
    int height = 73; // top and bottom margins and the button bar
};

// The client size of a window whose picture is pixels square.
QSize ClientSizeFor(int pixels, WindowMargins margins = {});

// 600 from 900, otherwise 300.
int SmallerPictureSize(QSize client, WindowMargins margins = {});

// 600 from 300 and 900 from 600 when the screen leaves room in both dimensions for the window
// and its frame (frame: outer size less client size); otherwise 0, nothing to change.
int LargerPictureSize(QSize client, QSize frame, QSize screen, WindowMargins margins = {});

// The largest picture size whose picture fits room pixels: stored bounds give a window its size.
int PictureSizeForRoom(int room);


} // namespace maze
