#include "shell/optionswindow.h"

#include "controls/placement.h"
#include "platform/colourchooser.h"
#include "platform/colours.h"
#include "platform/filenames.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "shell/music.h"
#include "shell/program.h"
#include "shell/recolour.h"
#include "shell/tunes.h"
#include "shell/desk.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr std::uint32_t kFixedColours[12] = {0x0000FF, 0x09FF09, 0x00ECEC, 0xFF6C6C, 0xD900D9, 0xECEC00,
                                             0x00B300, 0x00AEAE, 0xCB10B4, 0xA6A600, 0x919191, 0xB4B4B4};

// A radio without a caption, painted in its colour: the whole swatch takes the click, not only its circle.
class SwatchRadio : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QGroupBox* Group(const QString& name, const QString& title, QWidget* parent, const QRect& geometry)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QPushButton* Button(const QString& name, const QString& text, QWidget* parent, const QRect& geometry)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

// A radio group of the given items laid out in columns, filled column by column.
QButtonGroup* RadioGroup(const QString& name, const QStringList& items, int columns, QGroupBox* box)
{
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    auto* grid = new QGridLayout(box);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(name + QStringLiteral("_%1").arg(i));
        group->addButton(radio, i);
        grid->addWidget(radio, i % rows, i / rows);
    }
    return group;
}

void CheckItem(QButtonGroup* group, int index)
{
    if (QAbstractButton* b = group->button(index)) {
        b->setChecked(true);
        return;
    }
    // No such item: none is checked.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

} // namespace

const char* const OptionsWindow::kColourButtons[13] = {"rbred",  "rblime",   "rbyellow", "rbblue",   "rbfuchsia",
                                                    "rbaqua", "rbgreen",  "rbolive",  "rbpurple", "rbteal",
                                                    "rbgray", "rbsilver", "rbcustom"};

OptionsWindow::OptionsWindow(Program& program, Desk& desk, ColourChooser& ColorDialog1, QWidget* parent)
    : QDialog(parent), program_(program), desk_(desk), ColorDialog1_(ColorDialog1)
{
    setObjectName(QStringLiteral("fmoptions"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(430, 372);
    setFont(fonts::sans(11));
    buildControls();
    FormCreate();
}

void OptionsWindow::buildControls()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 414, 318);
    PageControl1->addTab(buildGeneralPage(), QStringLiteral("General (all puzzle types)"));
    PageControl1->addTab(buildSkillPage(), QStringLiteral("Glyphwhirl"));
    PageControl1->addTab(buildHighlightPage(), QStringLiteral("Lettermoor"));
    PageControl1->addTab(buildMazePage(), QStringLiteral("Windlepath"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &OptionsWindow::PageControl1Change);

    auto* ok = Button(QStringLiteral("BitBtn1"), QStringLiteral("OK"), this, QRect(262, 336, 75, 27));
    auto* cancel = Button(QStringLiteral("BitBtn2"), QStringLiteral("Cancel"), this, QRect(345, 336, 75, 27));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    cbmusic = new QListWidget(this);
    cbmusic->setObjectName(QStringLiteral("cbmusic"));
    cbmusic->hide();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &OptionsWindow::Timer1Timer);
}

QWidget* OptionsWindow::buildGeneralPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    QGroupBox* selection = Group(QStringLiteral("GroupBox1"), QStringLiteral("Music selection"), page, QRect(10, 8, 388, 62));
    cbselection = new QComboBox(selection);
    cbselection->setObjectName(QStringLiteral("cbselection"));
    cbselection->setGeometry(12, 24, 210, 24);
    btntest = Button(QStringLiteral("btntest"), QStringLiteral("Test"), selection, QRect(232, 23, 70, 26));
    btnstop = Button(QStringLiteral("btnstop"), QStringLiteral("Stop"), selection, QRect(308, 23, 70, 26));
    connect(cbselection, &QComboBox::activated, this, &OptionsWindow::cbselectionChange);
    connect(btntest, &QPushButton::clicked, this, &OptionsWindow::btntestClick);
    connect(btnstop, &QPushButton::clicked, this, &OptionsWindow::btnstopClick);

    QGroupBox* modes = Group(QStringLiteral("GroupBox3"), QStringLiteral("Music options"), page, QRect(10, 80, 388, 96));
    auto* layout = new QVBoxLayout(modes);
    rbselected = new QRadioButton(QStringLiteral("Selected music"), modes);
    rborder = new QRadioButton(QStringLiteral("Play music in order"), modes);
    rbrandom = new QRadioButton(QStringLiteral("Play music randomly"), modes);
    for (auto [radio, name] : {std::pair{rbselected, "rbselected"}, std::pair{rborder, "rborder"},
                               std::pair{rbrandom, "rbrandom"}}) {
        radio->setObjectName(QString::fromLatin1(name));
        layout->addWidget(radio);
    }
    placement::MakeLabel(QStringLiteral("This is the music that you can listen to while trying to solve a puzzle. This "
                                        "music can be turned on or off from the main puzzle window of each puzzle type."),
                         QStringLiteral("Label3"), page, QRect(12, 190, 384, 60), true, 12);
    return page;
}

QWidget* OptionsWindow::buildSkillPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    QGroupBox* box = Group(QStringLiteral("rgcgskill"), QStringLiteral("Skill level"), page, QRect(10, 8, 388, 128));
    QStringList items;
    for (int i = 0; i <= 11; ++i)
        items << QString::number(i);
    rgcgskill = RadioGroup(QStringLiteral("rgcgskill"), items, 3, box);
    placement::MakeLabel(QStringLiteral("The number selected is the number of characters that will be filled in when a "
                                        "new puzzle is created. 0 - Hardest to 11 - Easiest."),
                         QStringLiteral("Label5"), page, QRect(12, 146, 384, 44), true, 12);
    placement::MakeLabel(QStringLiteral("NOTICE: This setting has no effect on a puzzle that is currently being played!  "
                                        "It only effects new puzzles or a puzzle that is being edited."),
                         QStringLiteral("Label6"), page, QRect(12, 196, 384, 60), true, 12);
    return page;
}

QWidget* OptionsWindow::buildHighlightPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    QGroupBox* box = Group(QStringLiteral("GroupBox2"), QStringLiteral("Highlight color"), page, QRect(10, 8, 236, 208));
    colourGroup_ = new QButtonGroup(this);
    for (int i = 0; i < 12; ++i) {
        auto* radio = new SwatchRadio(box);
        radio->setObjectName(QString::fromLatin1(kColourButtons[i]));
        radio->setGeometry(16 + (i / 6) * 76, 24 + (i % 6) * 24, 60, 20);
        paintSwatch(radio, kFixedColours[i]);
        colourGroup_->addButton(radio, i + 1);
    }
    placement::MakeLabel(QStringLiteral("Custom color:"), QStringLiteral("Label4"), box, QRect(16, 176, 80, 16), false,
                         11);
    rbcustom = new SwatchRadio(box);
    rbcustom->setObjectName(QStringLiteral("rbcustom"));
    rbcustom->setGeometry(92, 174, 44, 20);
    colourGroup_->addButton(rbcustom, 13);
    btncustom = Button(QStringLiteral("btncustom"), QStringLiteral("Custom"), box, QRect(146, 171, 76, 26));
    connect(colourGroup_, &QButtonGroup::buttonClicked, this, &OptionsWindow::rbredClick);
    connect(btncustom, &QPushButton::clicked, this, &OptionsWindow::btncustomClick);

    placement::MakeLabel(QStringLiteral("Color preview:"), QStringLiteral("Label1"), page, QRect(262, 14, 120, 16), false,
                         11);
    auto* panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(262, 34, 109, 109);
    paintSwatch(panel, 0x808080);
    impreviewLabel_ = new QLabel(panel);
    impreviewLabel_->setObjectName(QStringLiteral("impreview"));
    impreviewLabel_->setGeometry(2, 2, 105, 105);
    placement::MakeLabel(QStringLiteral("This is the color that will be used to highlight words as you select them in "
                                        "the puzzle and for the answer key when selected or printed."),
                         QStringLiteral("Label2"), page, QRect(12, 224, 384, 44), true, 12);
    return page;
}

QWidget* OptionsWindow::buildMazePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    QGroupBox* box = Group(QStringLiteral("GroupBox4"), QStringLiteral("Windlepath Options"), page, QRect(10, 8, 388, 262));
    btnCcolor = Button(QStringLiteral("btnCcolor"), QStringLiteral("Color"), box, QRect(16, 28, 76, 26));
    connect(btnCcolor, &QPushButton::clicked, this, &OptionsWindow::btnCcolorClick);
    placement::MakeLabel(QStringLiteral("Color preview:"), QStringLiteral("Label8"), box, QRect(112, 34, 90, 16), false,
                         11);
    auto* panel3 = new QWidget(box);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setGeometry(206, 24, 33, 33);
    paintSwatch(panel3, 0xFFFFFF);
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
    return page;
}

void OptionsWindow::FormCreate()
{
    imcolor_ = QImage(10, 10, QImage::Format_RGB32);
    imcolor_.fill(Qt::white);
    imtest_ = imcolor_;
    impreviewArt_ = QImage(QStringLiteral(":/artwork/preview.png")).convertToFormat(QImage::Format_RGB32);
    if (impreviewArt_.isNull()) {
        impreviewArt_ = QImage(105, 105, QImage::Format_RGB32);
        impreviewArt_.fill(Qt::white);
    }
    impreview_ = impreviewArt_;
}

void OptionsWindow::paintSwatch(QWidget* swatch, std::uint32_t colour)
{
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, ToQColor(colour));
    pal.setColor(QPalette::Button, ToQColor(colour));
    swatch->setPalette(pal);
    swatch->setAutoFillBackground(true);
    swatch->update();
}

void OptionsWindow::setCustomColour(std::uint32_t colour)
{
    customColour_ = colour;
    paintSwatch(rbcustom, colour);
}

void OptionsWindow::setPanel2Colour(std::uint32_t colour)
{
    panel2Colour_ = colour;
    paintSwatch(Panel2, colour);
}

void OptionsWindow::setColourPixel(std::uint32_t colour)
{
    imcolor_.setPixel(1, 1, ToQColor(colour).rgb());
    RecolourPicture(impreview_, imcolor_);
    impreviewLabel_->setPixmap(QPixmap::fromImage(impreview_));
}

std::uint32_t OptionsWindow::fixedColourOf(QAbstractButton* button) const
{
    const int id = colourGroup_->id(button);
    if (id == 13)
        return customColour_;
    return id >= 1 && id <= 12 ? kFixedColours[id - 1] : kFixedColours[0];
}

QStringList OptionsWindow::tuneFiles() const
{
    QStringList files;
    for (int i = 0; i < cbmusic->count(); ++i)
        files << cbmusic->item(i)->text();
    return files;
}

void OptionsWindow::RefreshTuneList()
{
    const QString folder = program_.paths.musicFolder();
    cbselection->clear();
    cbmusic->clear();
    const QStringList files = tunes::ListTunes(folder);
    cbmusic->addItems(files);
    for (const QString& file : files)
        cbselection->addItem(QFileInfo(file).completeBaseName());

    // The whole stored name must match a tune inside the music folder.
    int row = files.isEmpty() ? -1 : 0;
    const QString& selected = program_.settings.selected;
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('/')) && !selected.contains(QLatin1Char('\\')) &&
        QFileInfo(filenames::resolveInFolder(folder, selected)).isFile()) {
        for (int i = 0; i < files.size(); ++i)
            if (files[i].compare(selected, Qt::CaseInsensitive) == 0) {
                row = i;
                break;
            }
    }
    cbselection->setCurrentIndex(row);
    cbmusic->setCurrentRow(row);
}

void OptionsWindow::ShowCurrentSettings()
{
    const Settings& s = program_.settings;
    CheckItem(rgmzlevel, s.mzlevel == 30 ? 0 : s.mzlevel == 60 ? 1 : 2);
    setPanel2Colour(static_cast<std::uint32_t>(s.mazeCursor));
    CheckItem(rgcgskill, s.cgSkill);
    (s.music == 1 ? rbselected : s.music == 3 ? rbrandom : rborder)->setChecked(true);
    RefreshTuneList();
    setCustomColour(AdjustCustomColour(static_cast<std::uint32_t>(s.highlightColor)));
    const int choice = s.highlight >= 1 && s.highlight <= 13 ? s.highlight : 1;
    colourGroup_->button(choice)->setChecked(true);
    setColourPixel(choice == 13 ? customColour_ : choice == s.highlight ? kFixedColours[choice - 1] : kFixedColours[0]);
    btncustom->setEnabled(s.highlight == 13);
    savedMusicMode_ = s.music;
    savedMazeColour_ = s.mazeCursor;
}

void OptionsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void OptionsWindow::FormShow()
{
    ShowCurrentSettings();
    switch (program_.activePuzzleType) {
    case puzzletype::kCryptogram:
        PageControl1->setCurrentIndex(1);
        break;
    case puzzletype::kWordSearch:
        PageControl1->setCurrentIndex(2);
        break;
    case puzzletype::kMaze:
        PageControl1->setCurrentIndex(3);
        break;
    default:
        PageControl1->setCurrentIndex(0);
        break;
    }
}

void OptionsWindow::done(int result)
{
    FormClose(result == QDialog::Accepted);
    QDialog::done(result);
}

void OptionsWindow::FormClose(bool ok)
{
    music::StopMusic(program_);
    btntest->setEnabled(true);
    Timer1->stop();
    flashCount_ = 0;
    Settings& s = program_.settings;
    if (!ok) {
        s.mazeCursor = savedMazeColour_;
        s.music = savedMusicMode_;
    } else {
        static constexpr int kLevels[] = {30, 60, 100};
        if (rgmzlevel->checkedId() >= 0)
            s.mzlevel = kLevels[rgmzlevel->checkedId()];
        s.cgSkill = rgcgskill->checkedId();
        s.effectiveHighlight = FromQColor(QColor::fromRgb(imcolor_.pixel(1, 1)));
        s.highlightColor = static_cast<int>(customColour_);
        s.highlight = colourGroup_->checkedId() > 0 ? colourGroup_->checkedId() : 1;
        s.music = rbselected->isChecked() ? 1 : rborder->isChecked() ? 2 : rbrandom->isChecked() ? 3 : 2;
        QListWidgetItem* tune = cbmusic->currentItem();
        s.selected = tune ? tune->text() : QString();
    }
    ShowCurrentSettings();
}

void OptionsWindow::PageControl1Change(int index)
{
    if (index == 0)
        btntest->setEnabled(true);
    else
        music::StopMusic(program_);
}

void OptionsWindow::cbselectionChange(int row)
{
    cbmusic->setCurrentRow(row);
    btnstopClick();
}

void OptionsWindow::btntestClick()
{
    btntest->setEnabled(false);
    btntest->repaint();
    QListWidgetItem* tune = cbmusic->currentItem();
    if (!program_.musicControl) {
        btntest->setEnabled(true); // silent program: nothing would ever end
        return;
    }
    music::PlayTestTune(program_, tune ? tune->text() : QString());
}

void OptionsWindow::TestTuneEnded()
{
    btntest->setEnabled(true);
}

void OptionsWindow::btnstopClick()
{
    music::StopMusic(program_);
    btntest->setEnabled(true);
}

void OptionsWindow::rbredClick(QAbstractButton* sender)
{
    const std::uint32_t colour = fixedColourOf(sender);
    btncustom->setEnabled(sender == rbcustom);
    setColourPixel(colour);
}

void OptionsWindow::btncustomClick()
{
    QColor chosen;
    if (!ColorDialog1_.choose(this, ToQColor(customColour_), chosen))
        return;
    const std::uint32_t colour = AdjustCustomColour(FromQColor(chosen));
    setCustomColour(colour);
    CheckColourBrightness(colour, btncustom);
    setColourPixel(colour);
}

void OptionsWindow::btnCcolorClick()
{
    flashCount_ = 0;
    QColor chosen;
    if (ColorDialog1_.choose(this, ToQColor(panel2Colour_), chosen)) {
        const std::uint32_t colour = FromQColor(chosen);
        CheckColourBrightness(colour, btnCcolor);
        setPanel2Colour(colour);
        program_.settings.mazeCursor = static_cast<int>(colour);
    }
    Timer1->start();
}

void OptionsWindow::Timer1Timer()
{
    setPanel2Colour(flashCount_ % 2 == 0 ? 0xFFFFFFu : static_cast<std::uint32_t>(program_.settings.mazeCursor));
    ++flashCount_;
    if (flashCount_ > 19) {
        Timer1->stop();
        flashCount_ = 0;
    }
}

void OptionsWindow::CheckColourBrightness(std::uint32_t colour, QAbstractButton* asker)
{
    const int r = colour & 0xFF;
    const int g = (colour >> 8) & 0xFF;
    const int b = (colour >> 16) & 0xFF;
    const bool dark = r < 155 && g < 155 && b < 155;
    const bool light = r >= 201 && g >= 201 && b >= 201;
    if (light && asker == btnCcolor) {
        program_.boxes.warning(QStringLiteral("Importand Notice"),
                               QStringLiteral("The color selected may be to light to be seen clearly! Please look at\n"
                                              "the flashing cursor in the color preview and make sure that you can\n"
                                              "see it clearly before using this color."));
    } else if (light && asker == btncustom) {
        program_.boxes.warning(QStringLiteral("Important Notice"),
                               QStringLiteral("The custom color selected may be to light! The higlights in your\n"
                                              "puzzle may not be able to be seen! Please check your color in\n"
                                              "the color preview before using this custom color."));
    } else if (dark && asker == btncustom) {
        program_.boxes.warning(QStringLiteral("Important Notice"),
                               QStringLiteral("The custom color selected may be to dark! The letters in your\n"
                                              "puzzle may not be able to be seen! Please check your color\n"
                                              "in the color preview before using this custom color."));
    }
}
