#include "printing/printoptionsdialog.h"

#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "platform/printer.h"
#include "shell/program.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>

namespace {

constexpr int kMaxCopies = 99;

QSpinBox* upDown(QWidget* parent, const QString& name, const QRect& at)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, kMaxCopies);
    box->setWrapping(true);
    box->setGeometry(at);
    // Only the arrows show: the edit beside it holds the number.
    if (auto* text = box->findChild<QLineEdit*>())
        text->hide();
    return box;
}

QLineEdit* countEdit(QWidget* parent, const QString& name, const QRect& at)
{
    auto* edit = new QLineEdit(QStringLiteral("1"), parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setMaxLength(2);
    edit->setGeometry(at);
    return edit;
}

} // namespace

PrintOptionsDialog::PrintOptionsDialog(Program& program, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      program_(program)
{
    setObjectName(QStringLiteral("fmprint"));
    setWindowTitle(QStringLiteral("Print"));
    setFixedSize(278, 269);
    setFont(fonts::sans(11));

    Label1 = new QLabel(
        QStringLiteral("Please select the page or pages you would like to print and the number of copies of each."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(12, 8, 254, 34);

    GroupBox1 = new QGroupBox(QStringLiteral("Print options:"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(12, 48, 254, 150);

    cbpuzzle = new QCheckBox(QStringLiteral("Print Puzzle"), GroupBox1);
    cbpuzzle->setObjectName(QStringLiteral("cbpuzzle"));
    cbpuzzle->setGeometry(16, 22, 120, 20);
    lblpuzzle = new QLabel(QStringLiteral("Number of copies"), GroupBox1);
    lblpuzzle->setObjectName(QStringLiteral("lblpuzzle"));
    lblpuzzle->setGeometry(36, 48, 110, 21);
    edpuzzle = countEdit(GroupBox1, QStringLiteral("edpuzzle"), QRect(150, 46, 34, 24));
    UpDown1 = upDown(GroupBox1, QStringLiteral("UpDown1"), QRect(184, 46, 18, 24));

    cbkey = new QCheckBox(QStringLiteral("Print Key"), GroupBox1);
    cbkey->setObjectName(QStringLiteral("cbkey"));
    cbkey->setGeometry(16, 84, 120, 20);
    Lblkey = new QLabel(QStringLiteral("Number of copies"), GroupBox1);
    Lblkey->setObjectName(QStringLiteral("Lblkey"));
    Lblkey->setGeometry(36, 110, 110, 21);
    edkey = countEdit(GroupBox1, QStringLiteral("edkey"), QRect(150, 108, 34, 24));
    UpDown2 = upDown(GroupBox1, QStringLiteral("UpDown2"), QRect(184, 108, 18, 24));

    // Where the pages go; blank when there is no printer (OK then says so).
    lblprinter = new QLabel(this);
    lblprinter->setObjectName(QStringLiteral("lblprinter"));
    lblprinter->setGeometry(12, 203, 254, 20);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(12, 228, 75, 27);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(101, 228, 75, 27);
    BitBtn3 = new QPushButton(QStringLiteral("Properties"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(190, 228, 76, 27);

    connect(cbpuzzle, &QCheckBox::clicked, this, [this] { cbpuzzleClick(); });
    connect(cbkey, &QCheckBox::clicked, this, [this] { cbkeyClick(); });
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int value) {
        edpuzzle->setText(QString::number(value));
        takePuzzleCopies();
    });
    connect(UpDown2, &QSpinBox::valueChanged, this, [this](int value) {
        edkey->setText(QString::number(value));
        takeKeyCopies();
    });
    edpuzzle->installEventFilter(this);
    edkey->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { runPrinterSetup(); });
}

void PrintOptionsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void PrintOptionsDialog::FormShow()
{
    PrintChoices& choices = program_.printChoices;
    choices = PrintChoices();
    cbpuzzle->setChecked(true);
    cbkey->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(lblpuzzle), static_cast<QWidget*>(edpuzzle), static_cast<QWidget*>(UpDown1)})
        w->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(Lblkey), static_cast<QWidget*>(edkey), static_cast<QWidget*>(UpDown2)})
        w->setEnabled(false);
    UpDown1->setValue(1);
    UpDown2->setValue(1);
    edpuzzle->setText(QStringLiteral("1"));
    edkey->setText(QStringLiteral("1"));
    showPrinter();
}

void PrintOptionsDialog::cbpuzzleClick()
{
    const bool on = cbpuzzle->isChecked();
    lblpuzzle->setEnabled(on);
    edpuzzle->setEnabled(on);
    UpDown1->setEnabled(on);
    program_.printChoices.printPuzzle = on;
    if (on)
        program_.printChoices.puzzleCopies = edpuzzle->text().toInt();
}

void PrintOptionsDialog::cbkeyClick()
{
    const bool on = cbkey->isChecked();
    Lblkey->setEnabled(on);
    edkey->setEnabled(on);
    UpDown2->setEnabled(on);
    program_.printChoices.printKey = on;
    if (on)
        program_.printChoices.keyCopies = edkey->text().toInt();
}

void PrintOptionsDialog::takePuzzleCopies()
{
    program_.printChoices.puzzleCopies = edpuzzle->text().toInt();
}

void PrintOptionsDialog::takeKeyCopies()
{
    program_.printChoices.keyCopies = edkey->text().toInt();
}

void PrintOptionsDialog::edpuzzleKeyPress()
{
    program_.printChoices.puzzleCopies = edpuzzle->text().toInt();
}

// Unlike the puzzle's field, a key press here leaves the key's count alone.
void PrintOptionsDialog::edkeyKeyPress() {}

bool PrintOptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == edpuzzle || watched == edkey) && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const bool digit = text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
        if (watched == edpuzzle)
            edpuzzleKeyPress();
        else
            edkeyKeyPress();
        // Only digits pass; the fields are read-only, so the counts change through the arrows.
        if (!digit && !text.isEmpty())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PrintOptionsDialog::runPrinterSetup()
{
    if (program_.printer)
        program_.printer->runSetup(this);
    showPrinter();
}

void PrintOptionsDialog::showPrinter()
{
    const QString name = program_.printer ? program_.printer->printerName() : QString();
    if (!name.isEmpty())
        lblprinter->setText(QStringLiteral("Printer: ") + name);
    else if (program_.printer && program_.printer->printsToFile())
        lblprinter->setText(QStringLiteral("Printer: a PDF file"));
    else
        lblprinter->clear();
}

bool PrintOptionsDialog::FormCloseQuery(bool withOk)
{
    if (!withOk)
        return true;
    const PrintChoices& choices = program_.printChoices;
    if (!choices.printPuzzle && !choices.printKey) {
        program_.boxes.warning(QStringLiteral("Notice"), QStringLiteral("You must select at least one page to continue!"));
        return false;
    }
    if (!program_.printer || !program_.printer->hasTarget()) {
        program_.boxes.error(QStringLiteral("Print error"),
                             QStringLiteral("No printer is installed.\nPress Properties to choose a printer or to print to a PDF file."));
        return false;
    }
    return true;
}

void PrintOptionsDialog::done(int result)
{
    if (!FormCloseQuery(result == QDialog::Accepted))
        return;
    QDialog::done(result);
}
