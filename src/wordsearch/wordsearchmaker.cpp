#include "wordsearch/wordsearchmaker.h"

#include "wordsearch/builderrordialog.h"
#include "wordsearch/noticedialog.h"

#include "controls/placement.h"

#include "controls/namedialog.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/desk.h"

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
const QColor kStatusBackground(0xF0, 0xF0, 0xF0); // light grey

// Whatever reaches the edit field by other ways than typing (a paste, a drop) is cut down to
// what typing could have given: capital letters, at most ten.
class WordValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        input = wordsearch::WordListEditor::CleanedWord(input, pos);
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

WordSearchMaker::WordSearchMaker(Program& program, Desk& desk, wordsearch::WordSearchState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      program_(program), desk_(desk), state_(state)
{
    builderror_.setMaker(desk, [] { return new BuildErrorDialog; });
    notice_.setMaker(desk, [] { return new NoticeDialog; });
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
    // A press on a row first moves the selection there, then clicks it.
    connect(cwords, &QListWidget::currentRowChanged, this, [this](int row) {
        if (quietList_ > 0)
            return;
        if (!list_.selectRow(row))
            einput->setFocus();
        showList();
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
    showList();
    drawGauge();
}

bool WordSearchMaker::building() const
{
    return btnmenu->isEnabled();
}

void WordSearchMaker::showList()
{
    const QStringList& rows = list_.rows();
    ++quietList_;
    if (cwords->count() != rows.size()) {
        cwords->clear();
        cwords->addItems(rows);
    } else {
        for (int i = 0; i < rows.size(); ++i)
            if (cwords->item(i)->text() != rows[i])
                cwords->item(i)->setText(rows[i]);
    }
    const int selected = list_.selected();
    if (selected >= 0) {
        if (cwords->currentRow() != selected || !cwords->item(selected)->isSelected())
            cwords->setCurrentRow(selected);
    } else if (cwords->currentRow() >= 0 || !cwords->selectedItems().isEmpty()) {
        cwords->setCurrentRow(-1);
    }
    --quietList_;

    if (einput->text() != list_.input()) {
        quietInput_ = true;
        einput->setText(list_.input());
        quietInput_ = false;
    }
    QPalette palette = gStatus->palette();
    palette.setColor(QPalette::Window, kStatusBackground);
    palette.setColor(QPalette::WindowText, list_.statusColour());
    gStatus->setPalette(palette);
    gStatus->setText(list_.statusText());
    btnclear->setEnabled(list_.clearEnabled());
}

void WordSearchMaker::refuseSingleLetter()
{
    list_.refuseSingleLetter();
    showList();
    einput->setFocus();
}

// --- list editing ------------------------------------------------------------------------

void WordSearchMaker::einputChange()
{
    list_.inputChanged(einput->text());
    showList();
}

bool WordSearchMaker::einputKeyPress(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        list_.escape();
        showList();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!list_.enter())
            einput->setFocus();
        showList();
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
    const QChar letter = wordsearch::WordListEditor::TypedLetter(typed.front(), static_cast<int>(einput->text().size()));
    if (!letter.isNull())
        einput->insert(QString(letter));
    return true;
}

void WordSearchMaker::cwordsClick(int row)
{
    if (!list_.clickRow(row))
        einput->setFocus();
    showList();
}

void WordSearchMaker::cwordsDblClick(int row)
{
    cwordsClick(row);
    einput->setFocus();
}

void WordSearchMaker::cwordsKeyUp(int key)
{
    if (key == Qt::Key_Insert) {
        if (list_.insertKey()) {
            showList();
            einput->setFocus();
        }
    } else if (key == Qt::Key_Delete) {
        list_.deleteKey();
        showList();
    }
}

void WordSearchMaker::btnclearClick()
{
    if (!list_.rows().isEmpty() &&
        program_.boxes.question(QStringLiteral("Clear list"), QStringLiteral("Are you sure you want to remove all words\n"
                                                                             "from the word list?"))) {
        list_.clear();
        showList();
        cwords->repaint();
    }
    if (einput->isEnabled())
        einput->setFocus();
}

void WordSearchMaker::ResetGenerator()
{
    pbprogress->setValue(0);
    setGauge(0);
    lblword->clear();
    list_.reset();
    showList();
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

    if (hideKey)
        hideKey();

    if (state_.newPuzzle) {
        setWindowTitle(QStringLiteral("Puzzle Generator     <New Puzzle>"));
        ResetGenerator();
        return;
    }

    pbprogress->setValue(0);
    setGauge(0);
    lblword->clear();
    QStringList words;
    for (const wordsearch::WordSlot& slot : state_.puzzle.wordSlots)
        if (!slot.isEmpty())
            words << QString::fromLatin1(slot.word());
    list_.openWords(words);
    showList();
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
