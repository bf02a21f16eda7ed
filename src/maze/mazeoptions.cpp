#include "maze/mazeoptions.h"

#include "controls/placement.h"
#include "platform/colourchooser.h"
#include "platform/colours.h"
#include "platform/messageboxes.h"
#include "shell/program.h"
#include "shell/settings.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>

namespace maze {

MazeOptions::MazeOptions(Program& program, ColourChooser& ColorDialog1, QWidget* parent)
    : OptionsPage(parent), program_(program), ColorDialog1_(ColorDialog1)
{
    using namespace optionsparts;
    setObjectName(QStringLiteral("TabSheet4"));
    QGroupBox* box = Group(QStringLiteral("GroupBox4"), QStringLiteral("Windlepath Options"), this, QRect(10, 8, 388, 262));
    btnCcolor = Button(QStringLiteral("btnCcolor"), QStringLiteral("Color"), box, QRect(16, 28, 76, 26));
    connect(btnCcolor, &QPushButton::clicked, this, &MazeOptions::btnCcolorClick);
    placement::MakeLabel(QStringLiteral("Color preview:"), QStringLiteral("Label8"), box, QRect(112, 34, 90, 16), false,
                         11);
    auto* panel3 = new QWidget(box);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setGeometry(206, 24, 33, 33);
    PaintSwatch(panel3, Qt::white);
    Panel2 = new QWidget(panel3);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(9, 9, 14, 14);
    placement::MakeLabel(QStringLiteral("This color will be the color of your man as it moves through the maze."),
                         QStringLiteral("Label7"), box, QRect(16, 66, 356, 34), true, 12);
    QGroupBox* levels = Group(QStringLiteral("rgmzlevel"), QStringLiteral("Difficulty level"), box, QRect(16, 110, 356, 56));
    rgmzlevel = RadioGroup(QStringLiteral("rgmzlevel"), {QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Hard")},
                           3, levels);
    placement::MakeLabel(QStringLiteral("Easy is the smallest maze and Hard is the largest one."), QStringLiteral("Label9"),
                         box, QRect(16, 176, 356, 34), true, 12);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &MazeOptions::Timer1Timer);
}

void MazeOptions::showSettings(const Settings& s)
{
    optionsparts::CheckItem(rgmzlevel, s.mzlevel == 30 ? 0 : s.mzlevel == 60 ? 1 : 2);
    setPanel2Colour(ToQColor(static_cast<std::uint32_t>(s.mazeCursor)));
    savedMazeColour_ = s.mazeCursor;
}

void MazeOptions::apply(Settings& s)
{
    static constexpr int kLevels[] = {30, 60, 100};
    if (rgmzlevel->checkedId() >= 0)
        s.mzlevel = kLevels[rgmzlevel->checkedId()];
}

void MazeOptions::cancel(Settings& s)
{
    s.mazeCursor = savedMazeColour_;
}

void MazeOptions::closing()
{
    Timer1->stop();
    flashCount_ = 0;
}

void MazeOptions::setPanel2Colour(const QColor& colour)
{
    panel2Colour_ = colour;
    optionsparts::PaintSwatch(Panel2, colour);
}

void MazeOptions::btnCcolorClick()
{
    flashCount_ = 0;
    QColor chosen;
    if (ColorDialog1_.choose(this, panel2Colour_, chosen)) {
        const QColor colour = ToQColor(FromQColor(chosen));
        // Only a light cursor is hard to see on the maze's white paths.
        if (optionsparts::IsLightColour(colour))
            program_.boxes.warning(QStringLiteral("Importand Notice"),
                                   QStringLiteral("The color selected may be to light to be seen clearly! Please look at\n"
                                                  "the flashing cursor in the color preview and make sure that you can\n"
                                                  "see it clearly before using this color."));
        setPanel2Colour(colour);
        program_.settings.mazeCursor = static_cast<int>(FromQColor(colour));
    }
    Timer1->start();
}

void MazeOptions::Timer1Timer()
{
    setPanel2Colour(flashCount_ % 2 == 0 ? QColor(Qt::white)
                                         : ToQColor(static_cast<std::uint32_t>(program_.settings.mazeCursor)));
    ++flashCount_;
    if (flashCount_ > 19) {
        Timer1->stop();
        flashCount_ = 0;
    }
}

} // namespace maze
