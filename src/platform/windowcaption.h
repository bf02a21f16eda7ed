#pragma once

#include <QString>

class QWidget;

// Puts caption on a window's title bar, an empty caption included: for an empty title the
// platform would show the program's name instead. Under X11 the window's name properties are
// emptied after Qt has set them, and the window is marked as one of the program's group so the
// window manager shows no placeholder either; under Wayland the title bar Qt draws shows the
// window's own empty title. Call it again after each showing of the window.
void ShowCaption(QWidget* window, const QString& caption);
