#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// Where windows open, and the labels most windows are made of.
namespace placement {

// Moves the window to the middle of the primary screen.
void CentreOnScreen(QWidget* window);

// Centres the window unless stored bounds have placed it (its property "autoCentre" is false).
void CentreUnlessPlaced(QWidget* window);

// The size of the primary screen in pixels (1024 by 768 when there is none).
QSize PrimaryScreenSize();

// Moves a window whose frame reaches past the available area of its screen back inside it,
// as far as it fits; the top-left corner stays on the screen.
void KeepOnScreen(QWidget* window);

// Where a window whose frame is frameSize goes beside the frame `owner`, gap pixels apart,
// inside area: to its right when there is room, else to its left, level with its top (moved
// down or up as far as the area needs). With room on neither side it goes over the owner,
// cascaded down and right from its corner, so that the owner's title and tools still show.
// None when the window is taller than the area.
std::optional<QPoint> PlaceBeside(const QRect& area, const QRect& owner, QSize frameSize, int gap = 0);

// Shows a helper window (a key, a preview), or brings it back to the front, unminimised, when
// it is shown already.
void ShowOrRaise(QWidget* window);

// A plain-text label at a fixed place, top-left aligned, in the program's sans face.
QLabel* MakeLabel(const QString& text, const QString& name, QWidget* parent, const QRect& geometry, bool wordWrap,
                  int pixelSize = 11);

} // namespace placement
