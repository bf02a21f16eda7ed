#include "shell/instructionswindow.h"

#include "controls/placement.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "platform/printer.h"
#include "platform/richtextprinter.h"
#include "shell/cursortable.h"
#include "shell/desk.h"
#include "shell/program.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* SmallButton(const QString& name, const QString& text, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setFixedSize(30, 25);
    return button;
}

} // namespace

InstructionsWindow::InstructionsWindow(Program& program, Desk& desk, RichTextPrinter& printer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      program_(program), desk_(desk), printer_(printer)
{
    setObjectName(QStringLiteral("FmInstructions"));
    setWindowTitle(QStringLiteral("Brainloft <Instructions>"));
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kMinWidth, kMinHeight);
    setSizeGripEnabled(true);
    setFont(fonts::sans(11));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    tcIns = new QTabBar(this);
    tcIns->setObjectName(QStringLiteral("tcIns"));
    tcIns->setExpanding(false);
    // The main window's page, a page of each puzzle type at its number, the general notes.
    tcIns->addTab(QStringLiteral("Main window"));
    QList<PuzzleType> types = desk.types;
    std::sort(types.begin(), types.end(), [](const PuzzleType& a, const PuzzleType& b) { return a.id < b.id; });
    for (const PuzzleType& type : types)
        tcIns->addTab(type.name);
    tcIns->addTab(QStringLiteral("General"));
    layout->addWidget(tcIns);

    reInstructions = new QTextBrowser(this);
    reInstructions->setObjectName(QStringLiteral("reInstructions"));
    reInstructions->setReadOnly(true);
    reInstructions->setOpenLinks(false);
    reInstructions->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette white = reInstructions->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    reInstructions->setPalette(white);
    reInstructions->setFont(fonts::sans(15));
    layout->addWidget(reInstructions, 1);

    auto* bar = new QHBoxLayout;
    auto* first = SmallButton(QStringLiteral("btnFirst"), QStringLiteral("|<"), QStringLiteral("Go to first page (Getting started)"), this);
    auto* back = SmallButton(QStringLiteral("btnBack"), QStringLiteral("<"), QStringLiteral("Go to previous page"), this);
    auto* forward = SmallButton(QStringLiteral("btnForward"), QStringLiteral(">"), QStringLiteral("Go to next page"), this);
    auto* last = SmallButton(QStringLiteral("btnLast"), QStringLiteral(">|"), QStringLiteral("Go to last page (Final notes)"), this);
    paninstructions = new QLabel(QStringLiteral("Getting started"), this);
    paninstructions->setObjectName(QStringLiteral("paninstructions"));
    paninstructions->setToolTip(QStringLiteral("Shows title of currently selected instruction set"));
    paninstructions->setAlignment(Qt::AlignCenter);
    paninstructions->setFrameShape(QFrame::Panel);
    paninstructions->setFrameShadow(QFrame::Sunken);
    paninstructions->setFont(fonts::sans(12, true));
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("BitBtn2"));
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("BitBtn1"));
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(back), static_cast<QWidget*>(forward),
                       static_cast<QWidget*>(last)})
        bar->addWidget(w);
    bar->addWidget(paninstructions, 1);
    bar->addWidget(print);
    bar->addWidget(closeButton);
    layout->addLayout(bar);

    // The page follows the user's every change of tab: a click, the arrow keys, the wheel.
    connect(tcIns, &QTabBar::currentChanged, this, &InstructionsWindow::tcInsChange);
    connect(first, &QPushButton::clicked, this, &InstructionsWindow::btnFirstClick);
    connect(back, &QPushButton::clicked, this, &InstructionsWindow::btnBackClick);
    connect(forward, &QPushButton::clicked, this, &InstructionsWindow::btnForwardClick);
    connect(last, &QPushButton::clicked, this, &InstructionsWindow::btnLastClick);
    connect(print, &QPushButton::clicked, this, &InstructionsWindow::printPage);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

void InstructionsWindow::FormCreate()
{
    tcIns->setCursor(program_.cursors ? program_.cursors->cursor(1) : QCursor(Qt::PointingHandCursor));
}

void InstructionsWindow::selectTab(int index)
{
    const QSignalBlocker quiet(tcIns);
    tcIns->setCurrentIndex(index);
}

void InstructionsWindow::ShowPage()
{
    const int index = tcIns->currentIndex();
    const QString name = QStringLiteral("inst%1").arg(index <= 13 ? index : 14);
    QFile page(QStringLiteral(":/RTF/") + name);
    if (!page.open(QIODevice::ReadOnly))
        return;
    reInstructions->setHtml(QString::fromUtf8(page.readAll()));
}

void InstructionsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void InstructionsWindow::FormShow()
{
    // The last page the buttons reach is the last puzzle type's.
    lastPage_ = tcIns->count() - 2;
    const int type = program_.activePuzzleType;
    const int tab = type >= 1 && type <= lastPage_ ? type : 0;
    selectTab(tab);
    paninstructions->setText(tab == 0 ? QStringLiteral("GENERAL (ALL PUZZLE TYPES)") : tcIns->tabText(tab).toUpper());
    placement::CentreUnlessPlaced(this);
    ShowPage();
}

void InstructionsWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    reInstructions->viewport()->update();
}

void InstructionsWindow::tcInsChange()
{
    ShowPage();
}

void InstructionsWindow::btnFirstClick()
{
    selectTab(0);
    ShowPage();
}

void InstructionsWindow::btnLastClick()
{
    selectTab(lastPage_);
    ShowPage();
}

void InstructionsWindow::btnBackClick()
{
    const int tab = tcIns->currentIndex();
    selectTab(tab == 0 ? lastPage_ : tab - 1);
    ShowPage();
}

void InstructionsWindow::btnForwardClick()
{
    // From lastPage or beyond it (the General tab) the next page is the first.
    const int tab = tcIns->currentIndex();
    selectTab(tab >= lastPage_ ? 0 : tab + 1);
    ShowPage();
}

void InstructionsWindow::printPage()
{
    const bool yes = program_.boxes.question(
        QStringLiteral("Print page"),
        QStringLiteral("Depending on your computer and printer it may take a minuet or \n"
                       "two to print this page. Are you sure you want to print this page?\n\n"
                       "If you want to print click OK and please wait.\n"
                       "If you do not want to print this page now click NO."));
    if (!yes)
        return;
    // Without a system printer, or when the set-up chose a file, the page goes into a PDF file.
    QString pdfFile;
    if (!printer_.hasPrinter() || (program_.printer && program_.printer->printsToFile())) {
        if (!program_.printer)
            return;
        pdfFile = AskPdfFile(*program_.printer, program_.boxes, this, QStringLiteral("Brainloft instructions"));
        if (pdfFile.isEmpty())
            return;
    }
    if (!printer_.print(*reInstructions->document(), paninstructions->text(), pdfFile))
        program_.boxes.error(QStringLiteral("Print error"),
                             pdfFile.isEmpty() ? QStringLiteral("The page could not be printed.")
                                               : QStringLiteral("The page could not be printed.\n") + pdfFile);
    else if (!pdfFile.isEmpty())
        program_.boxes.message(PdfWrittenNotice(pdfFile));
    QCoreApplication::processEvents();
}
