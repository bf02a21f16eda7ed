#pragma once

#include <QString>

class QWidget;

// Puts caption on a window's title bar, an empty caption included: for an empty title the
// platform would show the program's name instead. Under X11 the window's name properties are
// emptied after Qt has set them; under Wayland the title bar Qt draws shows the window's own
// empty title.
void ShowCaption(QWidget* window, const QString& caption);
