#pragma once

#include <QIcon>
#include <QString>

// The button icon ":/icons/<name>.png" for every screen of the program: its own picture where a
// device pixel is a unit, the picture drawn twice as large ("<name>@2x.png") on a screen of two,
// and that picture resized to the screen's pixels on a screen in between (Qt would otherwise
// enlarge the small one). Needs a QGuiApplication.
QIcon ButtonIcon(const QString& name);
