#pragma once

#include "platform/messageboxes.h"

#include <QMessageBox>
#include <memory>

// The real message boxes, with the icons and buttons of each kind.
class QtMessageBoxes : public MessageBoxes {
public:
    bool question(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    void message(const QString& text) override;

    // The box each call shows; public for tests.
    static std::unique_ptr<QMessageBox> build(QMessageBox::Icon icon, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons);
};
