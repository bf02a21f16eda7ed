#pragma once

#include "shell/optionspage.h"

#include <QImage>
#include <cstdint>

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

    // Pixel (1, 1) holds the colour previewed.
    const QImage& imcolor() const { return imcolor_; }
    const QImage& impreview() const { return impreview_; }
    std::uint32_t customColour() const { return customColour_; }

    // The 13 colour swatches in the order of the highlight numbers 1 to 13.
    static const char* const kColourButtons[13];

private:
    void setColourPixel(std::uint32_t colour);
    void setCustomColour(std::uint32_t colour);
    std::uint32_t colourOf(QAbstractButton* swatch) const;

    Program& program_;
    ColourChooser& ColorDialog1_;
    QImage imcolor_;
    QImage impreviewArt_;
    QImage impreview_;
    std::uint32_t customColour_ = 255;

    QButtonGroup* colourGroup_ = nullptr;
    QRadioButton* rbcustom = nullptr;
    QPushButton* btncustom = nullptr;
    QLabel* impreviewLabel_ = nullptr;
};

} // namespace wordsearch
