#pragma once

#include "platform/messageboxes.h"

// The real message boxes, with the icons and buttons of each kind.
class QtMessageBoxes : public MessageBoxes {
public:
    bool question(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    void message(const QString& text) override;
};
