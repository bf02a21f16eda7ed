#pragma once

#include "shell/optionspage.h"

#include <QImage>

class ColourChooser;
class Program;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace wordsearch {

// The word search's page of the options window: the colour found words are highlighted in, one
// of twelve or a custom colour, shown on a small sample puzzle.
class HighlightOptions : public OptionsPage {
public:
    HighlightOptions(Program& program, ColourChooser& ColorDialog1, QWidget* parent = nullptr);

    void showSettings(const Settings& settings) override;
    void apply(Settings& settings) override;

    // A swatch was clicked: its colour (the custom one for rbcustom) is previewed.
    void chooseSwatch(QAbstractButton* swatch);
    void btncustomClick();

    // The colour previewed: what OK makes the highlight.
    QColor previewed() const { return previewed_; }
    const QImage& impreview() const { return impreview_; }
    QColor customColour() const { return customColour_; }

    // The 13 colour swatches in the order of the highlight numbers 1 to 13.
    static const char* const kColourButtons[13];

private:
    void preview(const QColor& colour);
    void setCustomColour(const QColor& colour);
    QColor colourOf(QAbstractButton* swatch) const;

    Program& program_;
    ColourChooser& ColorDialog1_;
    QColor previewed_ = Qt::white;
    QImage impreviewArt_;
    QImage impreview_;
    QColor customColour_ = Qt::red;

    QButtonGroup* colourGroup_ = nullptr;
    QRadioButton* rbcustom = nullptr;
    QPushButton* btncustom = nullptr;
    QLabel* impreviewLabel_ = nullptr;
};

} // namespace wordsearch
