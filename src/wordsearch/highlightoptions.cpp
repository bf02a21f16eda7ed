#include "wordsearch/highlightoptions.h"

#include "controls/placement.h"
#include "platform/colourchooser.h"
#include "platform/colours.h"
#include "platform/messageboxes.h"
#include "shell/program.h"
#include "shell/recolour.h"
#include "shell/settings.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace wordsearch {
namespace {

// The twelve fixed highlight colours, 1 to 12.
QColor FixedColour(int number)
{
    return ToQColor(HighlightColourFor(number, 0));
}

} // namespace

const char* const HighlightOptions::kColourButtons[13] = {"rbred",  "rblime",   "rbyellow", "rbblue",   "rbfuchsia",
                                                          "rbaqua", "rbgreen",  "rbolive",  "rbpurple", "rbteal",
                                                          "rbgray", "rbsilver", "rbcustom"};

HighlightOptions::HighlightOptions(Program& program, ColourChooser& ColorDialog1, QWidget* parent)
    : OptionsPage(parent), program_(program), ColorDialog1_(ColorDialog1)
{
    using namespace optionsparts;
    setObjectName(QStringLiteral("TabSheet3"));
    QGroupBox* box = Group(QStringLiteral("GroupBox2"), QStringLiteral("Highlight color"), this, QRect(10, 8, 236, 208));
    colourGroup_ = new QButtonGroup(this);
    for (int i = 0; i < 12; ++i) {
        auto* radio = new SwatchRadio(box);
        radio->setObjectName(QString::fromLatin1(kColourButtons[i]));
        radio->setGeometry(16 + (i / 6) * 76, 24 + (i % 6) * 24, 60, 20);
        PaintSwatch(radio, FixedColour(i + 1));
        colourGroup_->addButton(radio, i + 1);
    }
    placement::MakeLabel(QStringLiteral("Custom color:"), QStringLiteral("Label4"), box, QRect(16, 176, 80, 16), false,
                         11);
    rbcustom = new SwatchRadio(box);
    rbcustom->setObjectName(QStringLiteral("rbcustom"));
    rbcustom->setGeometry(92, 174, 44, 20);
    colourGroup_->addButton(rbcustom, 13);
    btncustom = Button(QStringLiteral("btncustom"), QStringLiteral("Custom"), box, QRect(146, 171, 76, 26));
    connect(colourGroup_, &QButtonGroup::buttonClicked, this, &HighlightOptions::chooseSwatch);
    connect(btncustom, &QPushButton::clicked, this, &HighlightOptions::btncustomClick);

    placement::MakeLabel(QStringLiteral("Color preview:"), QStringLiteral("Label1"), this, QRect(262, 14, 120, 16), false,
                         11);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(262, 34, 109, 109);
    PaintSwatch(panel, QColor(0x80, 0x80, 0x80));
    impreviewLabel_ = new QLabel(panel);
    impreviewLabel_->setObjectName(QStringLiteral("impreview"));
    impreviewLabel_->setGeometry(2, 2, 105, 105);
    placement::MakeLabel(QStringLiteral("This is the color that will be used to highlight words as you select them in "
                                        "the puzzle and for the answer key when selected or printed."),
                         QStringLiteral("Label2"), this, QRect(12, 224, 384, 44), true, 12);

    impreviewArt_ = QImage(QStringLiteral(":/artwork/preview.png")).convertToFormat(QImage::Format_RGB32);
    if (impreviewArt_.isNull()) {
        impreviewArt_ = QImage(105, 105, QImage::Format_RGB32);
        impreviewArt_.fill(Qt::white);
    }
    impreview_ = impreviewArt_;
}

void HighlightOptions::showSettings(const Settings& s)
{
    setCustomColour(ToQColor(AdjustCustomColour(static_cast<std::uint32_t>(s.highlightColor))));
    const int choice = s.highlight >= 1 && s.highlight <= 13 ? s.highlight : 1;
    colourGroup_->button(choice)->setChecked(true);
    preview(choice == 13 ? customColour_ : FixedColour(choice));
    btncustom->setEnabled(s.highlight == 13);
}

void HighlightOptions::apply(Settings& s)
{
    s.effectiveHighlight = FromQColor(previewed_);
    s.highlightColor = static_cast<int>(FromQColor(customColour_));
    s.highlight = colourGroup_->checkedId() > 0 ? colourGroup_->checkedId() : 1;
}

void HighlightOptions::setCustomColour(const QColor& colour)
{
    customColour_ = colour;
    optionsparts::PaintSwatch(rbcustom, colour);
}

void HighlightOptions::preview(const QColor& colour)
{
    previewed_ = colour;
    RecolourPicture(impreview_, colour.rgb());
    impreviewLabel_->setPixmap(QPixmap::fromImage(impreview_));
}

QColor HighlightOptions::colourOf(QAbstractButton* swatch) const
{
    const int id = colourGroup_->id(swatch);
    if (id == 13)
        return customColour_;
    return FixedColour(id >= 1 && id <= 12 ? id : 1);
}

void HighlightOptions::chooseSwatch(QAbstractButton* swatch)
{
    btncustom->setEnabled(swatch == rbcustom);
    preview(colourOf(swatch));
}

void HighlightOptions::btncustomClick()
{
    QColor chosen;
    if (!ColorDialog1_.choose(this, customColour_, chosen))
        return;
    const QColor colour = ToQColor(AdjustCustomColour(FromQColor(chosen)));
    setCustomColour(colour);
    if (optionsparts::IsLightColour(colour))
        program_.boxes.warning(QStringLiteral("Important Notice"),
                               QStringLiteral("The custom color selected may be to light! The higlights in your\n"
                                              "puzzle may not be able to be seen! Please check your color in\n"
                                              "the color preview before using this custom color."));
    else if (optionsparts::IsDarkColour(colour))
        program_.boxes.warning(QStringLiteral("Important Notice"),
                               QStringLiteral("The custom color selected may be to dark! The letters in your\n"
                                              "puzzle may not be able to be seen! Please check your color\n"
                                              "in the color preview before using this custom color."));
    preview(colour);
}

} // namespace wordsearch
