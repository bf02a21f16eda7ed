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
#include "shell/optionspage.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>


OptionsWindow::OptionsWindow(Program& program, Desk& desk, ColourChooser& ColorDialog1, QWidget* parent)
    : QDialog(parent), program_(program), desk_(desk), ColorDialog1_(ColorDialog1)
{
    setObjectName(QStringLiteral("fmoptions"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(430, 372);
    setFont(fonts::sans(11));
    buildControls();
}

void OptionsWindow::buildControls()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 414, 318);
    PageControl1->addTab(buildGeneralPage(), QStringLiteral("General (all puzzle types)"));
    // Then each puzzle type's page, in the order of the types, under the type's name.
    QList<std::pair<int, std::function<OptionsPage*(Program&, ColourChooser&)>>> makers = desk_.optionsPages;
    std::sort(makers.begin(), makers.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [typeId, make] : makers) {
        QString title;
        for (const PuzzleType& type : desk_.types)
            if (type.id == typeId)
                title = type.name;
        OptionsPage* page = make(program_, ColorDialog1_);
        pages_.append({typeId, page});
        PageControl1->addTab(page, title);
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, &OptionsWindow::PageControl1Change);

    auto* ok = optionsparts::Button(QStringLiteral("BitBtn1"), QStringLiteral("OK"), this, QRect(262, 336, 75, 27));
    auto* cancel = optionsparts::Button(QStringLiteral("BitBtn2"), QStringLiteral("Cancel"), this, QRect(345, 336, 75, 27));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

}

QWidget* OptionsWindow::buildGeneralPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    QGroupBox* selection = optionsparts::Group(QStringLiteral("GroupBox1"), QStringLiteral("Music selection"), page, QRect(10, 8, 388, 62));
    cbselection = new QComboBox(selection);
    cbselection->setObjectName(QStringLiteral("cbselection"));
    cbselection->setGeometry(12, 24, 210, 24);
    btntest = optionsparts::Button(QStringLiteral("btntest"), QStringLiteral("Test"), selection, QRect(232, 23, 70, 26));
    btnstop = optionsparts::Button(QStringLiteral("btnstop"), QStringLiteral("Stop"), selection, QRect(308, 23, 70, 26));
    connect(cbselection, &QComboBox::activated, this, &OptionsWindow::cbselectionChange);
    connect(btntest, &QPushButton::clicked, this, &OptionsWindow::btntestClick);
    connect(btnstop, &QPushButton::clicked, this, &OptionsWindow::btnstopClick);

    QGroupBox* modes = optionsparts::Group(QStringLiteral("GroupBox3"), QStringLiteral("Music options"), page, QRect(10, 80, 388, 96));
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

QString OptionsWindow::selectedTune() const
{
    return tuneRow_ >= 0 && tuneRow_ < cbmusic_.size() ? cbmusic_[tuneRow_] : QString();
}

QStringList OptionsWindow::tuneFiles() const
{
    return cbmusic_;
}

void OptionsWindow::RefreshTuneList()
{
    const QString folder = program_.paths.musicFolder();
    cbselection->clear();
    const QStringList files = tunes::ListTunes(folder);
    cbmusic_ = files;
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
    tuneRow_ = row;
}

void OptionsWindow::ShowCurrentSettings()
{
    const Settings& s = program_.settings;
    (s.music == 1 ? rbselected : s.music == 3 ? rbrandom : rborder)->setChecked(true);
    RefreshTuneList();
    for (const TypePage& page : pages_)
        page.page->showSettings(s);
    savedMusicMode_ = s.music;
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
    // The page of the puzzle type the window was opened from, else the general page.
    int index = 0;
    for (int i = 0; i < pages_.size(); ++i)
        if (pages_[i].typeId == program_.activePuzzleType)
            index = i + 1;
    PageControl1->setCurrentIndex(index);
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
    for (const TypePage& page : pages_)
        page.page->closing();
    Settings& s = program_.settings;
    if (!ok) {
        for (const TypePage& page : pages_)
            page.page->cancel(s);
        s.music = savedMusicMode_;
    } else {
        for (const TypePage& page : pages_)
            page.page->apply(s);
        s.music = rbselected->isChecked() ? 1 : rborder->isChecked() ? 2 : rbrandom->isChecked() ? 3 : 2;
        s.selected = selectedTune();
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
    tuneRow_ = row;
    btnstopClick();
}

void OptionsWindow::btntestClick()
{
    btntest->setEnabled(false);
    btntest->repaint();
    if (!program_.musicControl) {
        btntest->setEnabled(true); // silent program: nothing would ever end
        return;
    }
    music::PlayTestTune(program_, selectedTune());
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
