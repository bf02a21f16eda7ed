#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QSettings;
class QWidget;

// A window whose place and size persist between runs, under the name it is stored by.
// window is null for a window that is not built: it is skipped.
struct NamedWindow {
    QString name;
    QWidget* window = nullptr;
};

// Whether the program may place its windows. A Wayland compositor places every window itself:
// there, places are neither applied nor stored, and only sizes are.
enum class WindowPlacing { byProgram, byCompositor };
WindowPlacing CurrentWindowPlacing();

// The shared windows whose places are stored: the options, the picker and the instructions.
// Each puzzle type names its own; the launcher is not among them: it always starts centred.
const QStringList& SharedPositionedWindowNames();

// Keeps note of the window's frame while it is shown, so that its place is stored right even when
// it was hidden before the place was asked for.
void WatchFrame(QWidget* window);

// Writes left, top, height and width of each window's outer frame under
// Software/Oakhollow/Brainloft/<name>/, with the frame's thickness on each side (insetleft,
// insettop, insetright, insetbottom) so the next run can place a window before its frame is
// known. A window never shown writes the bounds it was given.
// fminstructions also writes max ("1"/"0"), and its bounds only while it is not maximised, so
// the stored bounds stay those of its last normal size.
// Placed by the compositor, left, top and the insets stay as stored (a later X11 session finds
// them intact) and width and height are the inside's size with the stored insets added.
void SaveWindowPositions(QSettings& store, const QList<NamedWindow>& windows,
                         WindowPlacing placing = CurrentWindowPlacing());

// Applies each stored value on its own (a missing value or -1000 leaves that side as it is);
// width and height are of the outer frame, whose insets come from the window's own frame when
// it is known and from the stored insets before it is shown. Values are applied as stored, even
// off screen, unless one of a window's four is beyond any screen (a size below 1, a place or
// size past 100000): then none is, and the window keeps its own place and size.
// Applying left sets the window's dynamic property "autoCentre" to false: a window that centres
// itself when shown must skip the centring when property("autoCentre") holds false.
// A window with the property "sizedByZoom" takes a stored size past its fixed size and picks
// its zoom from it. Finally fminstructions is maximised or made normal by its stored max (default normal).
// Placed by the compositor, only the size applies: the stored frame less the stored insets.
void LoadWindowPositions(QSettings& store, const QList<NamedWindow>& windows,
                         WindowPlacing placing = CurrentWindowPlacing());
