#pragma once

#include <QColor>

class QWidget;

// The system's colour dialogue.
class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    // False when the user cancels; chosen is then left alone.
    virtual bool choose(QWidget* parent, const QColor& initial, QColor& chosen) = 0;
};

class QtColourChooser : public ColourChooser {
public:
    bool choose(QWidget* parent, const QColor& initial, QColor& chosen) override;
};
