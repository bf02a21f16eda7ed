#pragma once

#include <QString>
#include <functional>
#include <vector>

class QToolButton;
class QWidget;

// A window's strip of tool buttons: 25-pixel buttons with the program's own 21-pixel icons and
// a hint each, laid out left to right, with a gap before each group.
namespace toolstrip {

struct Button {
    QToolButton** made = nullptr; // receives the button; may be null
    const char* name;             // objectName
    const char* icon;             // ":/icons/<icon>.png"
    const char* hint;
    std::function<void()> clicked;
    int gapBefore = 0; // extra pixels between this button and the one before it
};

struct Layout {
    int left = 5;   // the first button's left edge
    int top = 4;
    int pitch = 25; // from one button's left edge to the next one's, before any gap
};

void Build(QWidget* strip, const std::vector<Button>& buttons, const Layout& layout = {});

} // namespace toolstrip
