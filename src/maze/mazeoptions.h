#pragma once

#include "shell/optionspage.h"

#include <QTimer>
#include <QColor>

class ColourChooser;
class Program;
class QButtonGroup;
class QPushButton;

namespace maze {

// The maze's page of the options window: the cursor's colour, which takes effect at once and
// flashes in its preview, and the difficulty level.
class MazeOptions : public OptionsPage {
public:
    MazeOptions(Program& program, ColourChooser& ColorDialog1, QWidget* parent = nullptr);

    void showSettings(const Settings& settings) override;
    void apply(Settings& settings) override;
    void cancel(Settings& settings) override;
    void closing() override;

    void btnCcolorClick();
    // One step of the preview's flashing: white and the cursor colour in turn, 20 times.
    void Timer1Timer();

    QColor panel2Colour() const { return panel2Colour_; }
    int flashCount() const { return flashCount_; }

private:
    void setPanel2Colour(const QColor& colour);

    Program& program_;
    ColourChooser& ColorDialog1_;
    QColor panel2Colour_ = Qt::red;
    int savedMazeColour_ = 255;
    int flashCount_ = 0;

    QPushButton* btnCcolor = nullptr;
    QWidget* Panel2 = nullptr;
    QButtonGroup* rgmzlevel = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace maze
