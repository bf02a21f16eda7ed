#include "wordsearch/wordsearchmaker.h"

#include "controls/placement.h"

#include "controls/namedialog.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "platform/colours.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/windows.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QValidator>

namespace {

constexpr int kWidth = 525;
constexpr int kHeight = 347;
constexpr std::uint32_t kStatusBackground = 15790320;

// Whatever reaches the edit field by other ways than typing (a paste, a drop) is cut down to
// what typing could have given: capital letters, at most ten.
class WordValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        QString cleaned;
        int cursor = 0;
        for (int i = 0; i < input.size() && cleaned.size() < WordSearchMaker::kMaxWordLength; ++i) {
            const QChar c = input.at(i);
            if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) {
                cleaned += c.toUpper();
                if (i < pos)
                    ++cursor;
            }
        }
        input = cleaned;
        pos = cursor;
        return Acceptable;
    }
};

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    // Enter belongs to the edit field; no button fires on it behind the user's back.
    button->setAutoDefault(false);
    return button;
}

bool isEditingShortcut(QKeyEvent* event)
{
    return event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) ||
           event->matches(QKeySequence::Cut) || event->matches(QKeySequence::SelectAll) ||
           event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
}

} // namespace

WordSearchMaker::WordSearchMaker(Program& program, Windows& windows, wordsearch::WordSearchState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      program_(program), windows_(windows), state_(state)
{
    setObjectName(QStringLiteral("fmGenerator"));
    setWindowTitle(QStringLiteral("Puzzle generator"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(8, 8, 241, 331);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);

    cwords = new QListWidget(Panel2);
    cwords->setObjectName(QStringLiteral("cwords"));
    cwords->setGeometry(12, 10, 217, 225);
    cwords->setFont(fonts::mono(16));
    cwords->setSelectionMode(QAbstractItemView::SingleSelection);
    cwords->setUniformItemSizes(true);
    cwords->installEventFilter(this);
    connect(cwords, &QListWidget::currentRowChanged, this, [this](int row) {
        if (quietList_ == 0)
            cwordsClick(row);
    });
    connect(cwords, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (quietList_ == 0)
            cwordsClick(cwords->row(item));
    });
    connect(cwords, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (quietList_ == 0)
            cwordsDblClick(cwords->row(item));
    });

    einput = new QLineEdit(Panel2);
    einput->setObjectName(QStringLiteral("einput"));
    einput->setGeometry(12, 241, 217, 26);
    einput->setFont(fonts::mono(16));
    // The validator caps the length, after it has taken out what is not a letter.
    einput->setValidator(new WordValidator(einput));
    einput->installEventFilter(this);
    connect(einput, &QLineEdit::textChanged, this, [this] {
        if (!quietInput_)
            einputChange();
    });

    gStatus = new QLabel(QStringLiteral("??? characters available"), Panel2);
    gStatus->setObjectName(QStringLiteral("gStatus"));
    gStatus->setGeometry(12, 272, 217, 20);
    gStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    gStatus->setAlignment(Qt::AlignCenter);
    gStatus->setFont(fonts::sansPoints(8));
    gStatus->setAutoFillBackground(true);

    btnclear = makeButton(QStringLiteral("Clear"), QStringLiteral("btnclear"), Panel2, QRect(154, 298, 75, 25));
    connect(btnclear, &QPushButton::clicked, this, &WordSearchMaker::btnclearClick);

    btnBuild = makeButton(QStringLiteral("&Build Puzzle"), QStringLiteral("btnBuild"), this, QRect(262, 16, 124, 32));
    connect(btnBuild, &QPushButton::clicked, this, &WordSearchMaker::btnBuildClick);
    btnmenu = makeButton(QStringLiteral("Cancel"), QStringLiteral("btnmenu"), this, QRect(393, 16, 124, 32));
    btnmenu->setEnabled(false);
    connect(btnmenu, &QPushButton::clicked, this, &WordSearchMaker::btnmenuClick);

    lblcaption = new QLabel(QStringLiteral("Word being placed:"), this);
    lblcaption->setObjectName(QStringLiteral("lblcaption"));
    lblcaption->setGeometry(262, 62, 255, 18);
    lblcaption->setFont(fonts::sansPoints(8, true));
    lblword = new QLabel(this);
    lblword->setObjectName(QStringLiteral("lblword"));
    lblword->setGeometry(262, 82, 255, 24);
    lblword->setFont(fonts::mono(16));

    pbprogress = new QProgressBar(this);
    pbprogress->setObjectName(QStringLiteral("pbprogress"));
    pbprogress->setGeometry(262, 112, 255, 18);
    pbprogress->setRange(0, wordsearch::kProgressMax);
    pbprogress->setValue(0);
    pbprogress->setTextVisible(false);

    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(262, 140, 255, 158);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Gauge1 = new QLabel(Panel3);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry((255 - 140) / 2, 9, 140, 140);

    btnclose = makeButton(QStringLiteral("&Close"), QStringLiteral("btnclose"), this, QRect(442, 308, 75, 28));
    connect(btnclose, &QPushButton::clicked, this, &QWidget::close);

    sd1 = new NameDialog(this);
    sd1->setObjectName(QStringLiteral("sd1"));
    puzzlefiles::ConfigureNameDialog(*sd1);

    setTabOrder(einput, cwords);
    setTabOrder(cwords, btnclear);
    setTabOrder(btnclear, btnBuild);
    setTabOrder(btnBuild, btnmenu);
    setTabOrder(btnmenu, btnclose);

    FormCreate();
}

WordSearchMaker::~WordSearchMaker()
{
    restoreCursor();
}

void WordSearchMaker::FormCreate()
{
    setStatus(gStatus->text(), kGreen);
    editedRow_ = -1;
    savedText_.clear();
    drawGauge();
}

QStringList WordSearchMaker::rows() const
{
    QStringList out;
    for (int i = 0; i < cwords->count(); ++i)
        out << cwords->item(i)->text();
    return out;
}

bool WordSearchMaker::overLimit() const
{
    return statusColour_ == kRed;
}

bool WordSearchMaker::building() const
{
    return btnmenu->isEnabled();
}

// --- small helpers -----------------------------------------------------------------------

void WordSearchMaker::setInputText(const QString& text, bool quietly)
{
    quietInput_ = true;
    einput->setText(text);
    quietInput_ = false;
    if (!quietly)
        einputChange();
}

void WordSearchMaker::selectRow(int row)
{
    ++quietList_;
    cwords->setCurrentRow(row >= 0 && row < cwords->count() ? row : -1);
    --quietList_;
}

int WordSearchMaker::selectedRow() const
{
    const int row = cwords->currentRow();
    return row >= 0 && cwords->item(row)->isSelected() ? row : -1;
}

QString WordSearchMaker::rowText(int row) const
{
    return row >= 0 && row < cwords->count() ? cwords->item(row)->text() : QString();
}

void WordSearchMaker::setRowText(int row, const QString& text)
{
    if (row >= 0 && row < cwords->count())
        cwords->item(row)->setText(text);
}

int WordSearchMaker::findRow(const QString& text) const
{
    for (int i = 0; i < cwords->count(); ++i)
        if (cwords->item(i)->text() == text)
            return i;
    return -1;
}

void WordSearchMaker::setStatus(const QString& text, std::uint32_t colour)
{
    statusColour_ = colour;
    QPalette palette = gStatus->palette();
    palette.setColor(QPalette::Window, ToQColor(kStatusBackground));
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    gStatus->setPalette(palette);
    gStatus->setText(text);
}

void WordSearchMaker::refuseSingleLetter()
{
    setStatus(QStringLiteral("Single characters are not allowed!"), kSingleLetter);
    const int row = editedRow_ >= 0 && rowText(editedRow_) == einput->text() ? editedRow_ : findRow(einput->text());
    if (row >= 0)
        selectRow(row);
    einput->setFocus();
}

// --- list editing ------------------------------------------------------------------------

void WordSearchMaker::UpdateStatus()
{
    int letters = 0;
    for (int i = 0; i < cwords->count(); ++i)
        letters += static_cast<int>(cwords->item(i)->text().size());
    const int remaining = kMaxLetters - letters;
    btnclear->setEnabled(remaining != kMaxLetters);

    const auto plural = [](int n) { return n == 1 ? QStringLiteral(" character") : QStringLiteral(" characters"); };
    if (remaining < 0)
        setStatus(QString::number(-remaining) + plural(-remaining) + QStringLiteral(" over limit"), kRed);
    else
        setStatus(QString::number(remaining) + plural(remaining) + QStringLiteral(" available"),
                  remaining < 10 ? kOlive : kGreen);
}

int WordSearchMaker::EnsureRow()
{
    const int row = selectedRow();
    if (row >= 0)
        return row;
    ++quietList_;
    if (cwords->count() == 0)
        cwords->addItem(QString());
    else if (findRow(QString()) < 0 && cwords->count() < kMaxRows && !overLimit())
        // A list opened for editing has no empty row; a new word must not overwrite the first one.
        cwords->insertItem(0, QString());
    --quietList_;
    selectRow(0);
    // Editing of row 0 begins here; Escape brings back what it held.
    savedText_ = rowText(0);
    return 0;
}

void WordSearchMaker::einputChange()
{
    const int index = EnsureRow();
    setRowText(index, einput->text());
    editedRow_ = index;
    UpdateStatus();
}

bool WordSearchMaker::einputKeyPress(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        setInputText(savedText_);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (einput->text().size() == 1) {
            refuseSingleLetter();
            return true;
        }
        const int index = EnsureRow();
        CommitRow(index, einput->text());
        selectRow(0);
        setInputText(rowText(selectedRow()));
        savedText_ = einput->text();
        return true;
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;

    const QString typed = event->text();
    if (typed.isEmpty())
        return false; // caret movement and Delete edit the field as usual
    if (isEditingShortcut(event))
        return false; // what a paste brings is cleaned by the field's validator
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    if (typed.size() != 1)
        return true;
    const QChar c = typed.front();
    const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    if (!letter)
        return true;
    if (einput->text().size() >= kMaxWordLength)
        return true;
    einput->insert(QString(c.toUpper()));
    return true;
}

void WordSearchMaker::CommitRow(int index, const QString& text)
{
    ++quietList_;
    if (!text.trimmed().isEmpty()) {
        setRowText(index, text);
    } else if (cwords->count() > 1) {
        delete cwords->takeItem(index);
    } else {
        setRowText(index, text);
    }

    if (!rowText(0).isEmpty() && cwords->count() < kMaxRows && !overLimit())
        cwords->insertItem(0, QString());

    cwords->sortItems(Qt::AscendingOrder);
    --quietList_;
    editedRow_ = selectedRow();
}

void WordSearchMaker::SwitchRow(int newIndex)
{
    if (einput->text() != savedText_ && editedRow_ >= 0 && editedRow_ < cwords->count()) {
        const bool picked = newIndex >= 0 && newIndex < cwords->count();
        const QString pickedText = rowText(newIndex);
        CommitRow(editedRow_, rowText(editedRow_));
        // The sort may have moved the picked word.
        selectRow(picked ? findRow(pickedText) : -1);
    }
    const int row = selectedRow();
    if (row >= 0)
        setInputText(rowText(row));
    editedRow_ = row;
    savedText_ = rowText(row);
}

void WordSearchMaker::cwordsClick(int row)
{
    if (einput->text().size() == 1) {
        refuseSingleLetter();
        return;
    }
    SwitchRow(row);
}

void WordSearchMaker::cwordsDblClick(int row)
{
    cwordsClick(row);
    einput->setFocus();
}

void WordSearchMaker::cwordsKeyUp(int key)
{
    if (key == Qt::Key_Insert) {
        if (cwords->count() >= kMaxRows)
            return;
        SwitchRow(0);
        selectRow(0);
        editedRow_ = 0;
        setInputText(rowText(0));
        einput->setFocus();
    } else if (key == Qt::Key_Delete) {
        int row = selectedRow();
        if (row < 0)
            return;
        ++quietList_;
        if (row == 0)
            setRowText(0, QString());
        else
            delete cwords->takeItem(row);
        --quietList_;
        if (row >= cwords->count())
            row = cwords->count() - 1;
        selectRow(row);
        editedRow_ = row;
        setInputText(rowText(row));
    }
}

void WordSearchMaker::btnclearClick()
{
    if (cwords->count() > 0 &&
        program_.boxes.question(QStringLiteral("Clear list"), QStringLiteral("Are you sure you want to remove all words\n"
                                                                             "from the word list?"))) {
        ++quietList_;
        cwords->clear();
        --quietList_;
        cwords->repaint();
        editedRow_ = -1;
        savedText_.clear();
        setInputText(QString());
        einput->setFocus();
        EnsureRow();
    }
    if (einput->isEnabled())
        einput->setFocus();
}

void WordSearchMaker::ResetGenerator()
{
    pbprogress->setValue(0);
    setGauge(0);
    lblword->clear();
    ++quietList_;
    cwords->clear();
    --quietList_;
    editedRow_ = -1;
    savedText_.clear();
    setInputText(QString());
    einput->setEnabled(true);
    einput->setFocus();
}

// --- window ------------------------------------------------------------------------------

void WordSearchMaker::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        placement::CentreUnlessPlaced(this);
        FormShow();
    }
    QDialog::showEvent(event);
}

void WordSearchMaker::FormShow()
{
    nameOnShow_ = state_.currentName;
    built_ = false;
    buildErrorShown_ = false;
    cancel_ = false;
    setBuildingState(false);

    if (QWidget* answers = windows_.byName(QStringLiteral("fmanswers")); answers && answers->isVisible())
        answers->hide();

    if (cwords->count() == 0) {
        ++quietList_;
        cwords->addItem(QString());
        --quietList_;
    }
    UpdateStatus();

    if (state_.newPuzzle) {
        setWindowTitle(QStringLiteral("Puzzle Generator     <New Puzzle>"));
        ResetGenerator();
        return;
    }

    pbprogress->setValue(0);
    setGauge(0);
    lblword->clear();
    ++quietList_;
    cwords->clear();
    for (const wordsearch::WordSlot& slot : state_.puzzle.wordSlots) {
        if (!slot.isEmpty())
            cwords->addItem(QString::fromLatin1(slot.word()));
    }
    --quietList_;
    UpdateStatus();
    editedRow_ = -1;
    savedText_.clear();
    setInputText(QString(), true);
    btnclear->setEnabled(cwords->count() > 0);
    einput->setEnabled(true);
    einput->setFocus();
    setWindowTitle(QStringLiteral("Puzzle Generator     ") + state_.currentName);
}

void WordSearchMaker::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    QDialog::closeEvent(event);
}

bool WordSearchMaker::FormCloseQuery()
{
    if (building())
        return false;
    if (built_)
        return true;
    if (program_.boxes.question(QStringLiteral("Notice:"),
                                QStringLiteral("If you close the generator now your puzzle will not\n"
                                               "be built! Are you sure you want to close now?"))) {
        state_.currentName.clear();
        return true;
    }
    einput->setFocus();
    return false;
}

void WordSearchMaker::FormClose()
{
    btnclose->setEnabled(true);
    einput->setEnabled(true);
}

void WordSearchMaker::keyPressEvent(QKeyEvent* event)
{
    // Escape belongs to the edit field; the window itself closes only through Close.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool WordSearchMaker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == einput && event->type() == QEvent::KeyPress)
        return einputKeyPress(static_cast<QKeyEvent*>(event));
    if (watched == cwords && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert || key == Qt::Key_Delete) {
            cwordsKeyUp(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- gauge -------------------------------------------------------------------------------

void WordSearchMaker::setGauge(int value)
{
    gaugeValue_ = qBound(0, value, gaugeMaximum_);
    drawGauge();
}

void WordSearchMaker::setGaugeMaximum(int maximum)
{
    gaugeMaximum_ = qMax(1, maximum);
    gaugeValue_ = qMin(gaugeValue_, gaugeMaximum_);
    drawGauge();
}

void WordSearchMaker::drawGauge()
{
    const QSize size = Gauge1->size();
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF pie = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4, 4, -4, -4);

    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(pie);
    const int span = static_cast<int>(360.0 * 16 * gaugeValue_ / gaugeMaximum_);
    if (span > 0) {
        painter.setBrush(QColor(0, 0, 128));
        painter.drawPie(pie, 90 * 16, -span);
    }

    const int percent = gaugeValue_ * 100 / gaugeMaximum_;
    const QString text = QString::number(percent) + QLatin1Char('%');
    painter.setFont(fonts::sans(18, true));
    const QRectF textBox = painter.boundingRect(pie, Qt::AlignCenter, text).adjusted(-4, -1, 4, 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRoundedRect(textBox, 4, 4);
    painter.setPen(Qt::black);
    painter.drawText(pie, Qt::AlignCenter, text);
    painter.end();
    Gauge1->setPixmap(picture);
}
