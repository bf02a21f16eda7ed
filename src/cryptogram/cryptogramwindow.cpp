#include "cryptogram/cryptogramwindow.h"

#include "controls/placement.h"
#include "controls/toolstrip.h"
#include "controls/namedialog.h"
#include "cryptogram/cellpanel.h"
#include "cryptogram/cryptogramfile.h"
#include "cryptogram/cryptogramkind.h"
#include "cryptogram/cryptogrammaker.h"
#include "cryptogram/inks.h"
#include "cryptogram/printpages.h"
#include "cryptogram/state.h"
#include "platform/filenames.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "printing/printholding.h"
#include "printing/printprogresswindow.h"
#include "printing/printoptionsdialog.h"
#include "shell/musicbuttons.h"
#include "shell/cursortable.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/launcherwindow.h"
#include "shell/winnerdialog.h"
#include "shell/desk.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

using namespace cryptogram;

namespace {

const QString kCaption = QStringLiteral("Glyphwhirl          ");
// The grey of the text of a disabled edit.
const QColor kLockedInk(109, 109, 109);
// Rows 0 to 9 and the first 30 characters of row 10: where any puzzle has text.
constexpr int kPrintCheckedPositions = 360;

// The hourglass of a long handler; it gives way to the arrow while the user is asked something.
class Hourglass {
public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

    template <typename F>
    auto whileAsking(F&& ask)
    {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        struct Restore {
            ~Restore() { QApplication::restoreOverrideCursor(); }
        } restore;
        return ask();
    }
};

QPalette panelPalette(const QColor& colour)
{
    QPalette palette;
    palette.setColor(QPalette::Window, colour);
    return palette;
}

} // namespace

CryptogramWindow::~CryptogramWindow() = default;

CryptogramWindow::CryptogramWindow(Program& program, Desk& desk, QWidget* parent)
    : PlayWindow(program, desk, parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      game_(state_.puzzle)
{
    maker_.setMaker(desk, [this] { return new CryptogramMaker(program_, desk_, state_); });
    setObjectName(QStringLiteral("fmcrypt"));
    setWindowTitle(kCaption);
    setFixedSize(kWidth, kHeight);
    buildControls();
    FormCreate();
}

void CryptogramWindow::buildControls()
{
    panbuttons = new QWidget(this);
    panbuttons->setObjectName(QStringLiteral("panbuttons"));
    panbuttons->setGeometry(0, 0, kWidth, 33);

    toolstrip::Build(panbuttons, {
        {&btnNew, "btnNew", "new", "Create new puzzle", [this] { btnNewClick(); }},
        {&BtnLoad, "BtnLoad", "load", "Load a saved puzzle", [this] { BtnLoadClick(); }},
        {&SpeedButton4, "SpeedButton4", "edit", "Edit a saved puzzle", [this] { editPuzzle(); }},
        {&btncheat, "btncheat", "key", "Add an aditional letter to the answer key and puzzle", [this] { btncheatClick(); }},
        {&btnprint, "btnprint", "print", "Print the currently loaded puzzle", [this] { btnprintClick(); }},
        {&btnoptions, "btnoptions", "options", "Set properties", [this] { btnoptionsClick(); }},
        {&btnmusic, "btnmusic", "music", "Turn music ON/OFF", [this] { btnmusicClick(); }},
        {&btnnext, "btnnext", "next", "Skip to the next song", [this] { btnnextClick(); }},
        {&SpeedButton1, "SpeedButton1", "instructions", "Instructions", [this] { showInstructions(); }},
        {&btnclose, "btnclose", "close", "Close", [this] { btncloseClick(); }},
    }, {8, 4, 32});
    btnmusic->setCheckable(true);

    const QColor puzzleColour(239, 239, 226);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(160, 35, 577, 485);
    ScrollBox1->setPalette(panelPalette(puzzleColour));
    ScrollBox1->setBackgroundRole(QPalette::Window);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->verticalScrollBar()->setSingleStep(48);
    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("ScrollBox1Contents"));
    contents->setFixedSize(2 + 519, 961);
    contents->setPalette(panelPalette(puzzleColour));
    contents->setAutoFillBackground(true);
    panpuzzle = new CellPanel(game_, contents);
    panpuzzle->setGeometry(2, 0, 519, 961);
    ScrollBox1->setWidget(contents);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(5, 35, 148, 486);
    Panel1->setPalette(panelPalette(QColor(236, 235, 230)));
    Panel1->setAutoFillBackground(true);
    buildKeyPanel();

    sd1 = new NameDialog(this);
    sd1->setObjectName(QStringLiteral("sd1"));
    puzzlefiles::ConfigureNameDialog(*sd1);
}

void CryptogramWindow::buildKeyPanel()
{
    static constexpr int kRowTops[18] = {14, 40, 66, 92, 118, 144, 170, 196, 222, 247, 273, 299, 325, 351, 377, 403, 429, 455};
    static constexpr int kEditTops[18] = {11, 37, 63, 89, 115, 140, 166, 192, 218, 244, 270, 296, 322, 347, 373, 399, 425, 451};
    const QFont bold = fonts::sans(13, true);
    for (int i = 0; i < kSymbols; ++i) {
        // A..R down the left column, S..Z and the digits down the right.
        const int column = i < 18 ? 0 : 1;
        const int top = kRowTops[i % 18];
        const int x = column == 0 ? 11 : 83;
        const char symbol = CipherAlphabet[i];
        const QString name = QString::fromLatin1(&symbol, 1).toLower();

        auto* label = new QLabel(QString(QChar::fromLatin1(symbol)), Panel1);
        label->setObjectName(QStringLiteral("lbl") + name);
        label->setGeometry(x, top, 15, 16);
        label->setFont(bold);
        label->setAlignment(Qt::AlignCenter);
        QPalette navy = label->palette();
        navy.setColor(QPalette::WindowText, kCipherInk);
        label->setPalette(navy);

        auto* equals = new QLabel(QStringLiteral("="), Panel1);
        equals->setObjectName(QStringLiteral("lbleq") + name);
        equals->setGeometry(x + 15, top, 9, 16);
        equals->setFont(bold);

        auto* edit = new QLineEdit(QStringLiteral("_"), Panel1);
        edit->setObjectName(QStringLiteral("ed") + name);
        edit->setGeometry(x + 29, kEditTops[i % 18], 25, 24);
        edit->setFont(bold);
        edit->setMaxLength(1);
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, Qt::white);
        colours.setColor(QPalette::Text, kGuessInk);
        // A locked box is a disabled edit: its letter greyed on the same white.
        colours.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
        colours.setColor(QPalette::Disabled, QPalette::Text, kLockedInk);
        edit->setPalette(colours);
        edit->setCursor(program_.cursors ? program_.cursors->cursor(1) : QCursor(Qt::PointingHandCursor)); // "hand"
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        edit->setDragEnabled(false);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->installEventFilter(this);
        if (i < 26) {
            // Letter edits keep the caret in front of their one character.
            connect(edit, &QLineEdit::textChanged, edit, [edit] {
                edit->deselect();
                edit->setCursorPosition(0);
            });
        }
        keyEdits_[i] = edit;
    }
}

int CryptogramWindow::keyEditIndex(QObject* object) const
{
    const auto found = std::find(keyEdits_.begin(), keyEdits_.end(), object);
    return found == keyEdits_.end() ? -1 : static_cast<int>(found - keyEdits_.begin());
}

bool CryptogramWindow::eventFilter(QObject* watched, QEvent* event)
{
    const int i = keyEditIndex(watched);
    if (i < 0)
        return QWidget::eventFilter(watched, event);
    QLineEdit* edit = keyEdits_[i];
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Every key stops here: the edit holds one character, changed only by the rule.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!key->text().isEmpty())
            typeGuess(i, command ? QString() : key->text());
        return true;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && !key->isAutoRepeat()) {
            game_.DeleteGuess(i);
            showGame();
        }
        return true;
    }
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::ContextMenu:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true; // no pasting with the middle button
        edit->event(event);
        if (event->type() == QEvent::MouseButtonRelease && i < 26) {
            edit->deselect();
            edit->setCursorPosition(0);
        }
        return true;
    }
    case QEvent::FocusIn:
        edit->event(event);
        edit->deselect();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void CryptogramWindow::typeGuess(int i, const QString& typed)
{
    const bool oneKey = typed.size() == 1 && typed.front().unicode() < 128;
    game_.TypeGuess(i, oneKey ? static_cast<char>(typed.front().unicode()) : '\0');
    showGame();
}

void CryptogramWindow::FormCreate()
{
    game_.Empty();
    state_.currentName.clear();
    // The winner box shows over the solved puzzle; the game then starts it again.
    game_.setWinnerShown([this] {
        showGame();
        if (desk_.winner)
            desk_.winner->exec();
        update();
    });
    showGame();
}

void CryptogramWindow::updateCaption()
{
    setWindowTitle(kCaption + state_.currentName);
}

void CryptogramWindow::showGame()
{
    for (int i = 0; i < kSymbols; ++i) {
        QLineEdit* edit = keyEdits_[i];
        const QString guess(QChar::fromLatin1(game_.guess(i)));
        if (edit->text() != guess)
            edit->setText(guess);
        edit->setEnabled(!game_.locked(i));
    }
    panpuzzle->update();
}

bool CryptogramWindow::runMaker()
{
    CryptogramMaker* maker = maker_;
    const int result = maker->exec();
    update();
    return result == QDialog::Accepted && !CryptogramMaker::IsBlank(maker->lineText(1));
}

void CryptogramWindow::btnNewClick()
{
    state_.makerStartsEmpty = true;
    Hourglass hourglass;
    state_.currentName.clear();
    game_.Empty();
    showGame();
    const bool built = hourglass.whileAsking([this] { return runMaker(); });
    if (built) {
        hourglass.whileAsking([this] { maker_->BuildCryptogram(*sd1, this); });
        game_.StartPlaying();
        showGame();
    }
    updateCaption();
}

puzzlefiles::Pick CryptogramWindow::pickAndLoad(bool forEditing)
{
    const auto load = [this, forEditing](const QString& picked) {
        state_.currentName.clear();
        if (forEditing)
            state_.makerStartsEmpty = false;
        // Emptied but not locked: the symbols stay as they were until the load or edit settles.
        state_.puzzle.clear();
        game_.ClearDisplay();
        showGame();
        const int code = LoadCryptogramFile(program_.paths.programFolder, picked, state_.puzzle);
        if (code == 0)
            state_.currentName = filenames::replaceExtension(picked, QString());
        return code;
    };
    return puzzlefiles::PickAndLoad(program_, *desk_.picker, CryptogramKind(program_, state_), this, load, [this] {
        state_.currentName.clear();
        game_.Empty();
        showGame();
    });
}

void CryptogramWindow::BtnLoadClick()
{
    Hourglass hourglass;
    const puzzlefiles::Pick pick = hourglass.whileAsking([this] { return pickAndLoad(false); });
    if (pick == puzzlefiles::Pick::Loaded) {
        game_.StartPlaying();
        showGame();
    }
    updateCaption();
}

void CryptogramWindow::editPuzzle()
{
    Hourglass hourglass;
    const puzzlefiles::Pick pick = hourglass.whileAsking([this] { return pickAndLoad(true); });
    if (pick == puzzlefiles::Pick::Loaded) {
        maker_->FillMakerFromText(state_.puzzle.text);
        const bool built = hourglass.whileAsking([this] { return runMaker(); });
        if (built) {
            hourglass.whileAsking([this] { maker_->BuildCryptogram(*sd1, this); });
            game_.StartPlaying();
        } else {
            game_.Empty();
        }
        showGame();
    }
    updateCaption();
}

void CryptogramWindow::btncheatClick()
{
    game_.RevealOneSymbol(program_.rng);
    showGame();
}

void CryptogramWindow::btnprintClick()
{
    QCoreApplication::processEvents();
    const CryptogramText& text = state_.puzzle.text;
    if (std::all_of(text.begin(), text.begin() + kPrintCheckedPositions, [](char c) { return c == ' '; })) {
        program_.boxes.warning(QStringLiteral("Print error"),
                               QStringLiteral("You must create a puzzle or have one\nloaded before you can print it!"));
    } else {
        const QString name = state_.currentName;
        printing::PrintHolding(program_, desk_, {panbuttons, this}, printing::PageSteps::eachAnnounced, name,
                               [this, &name](bool key) { return ComposePrintPage(state_.puzzle, name, key); });
    }
    activateWindow();
    setFocus();
}

void CryptogramWindow::FormShow()
{
    program_.activePuzzleType = puzzletype::kCryptogram;
    state_.currentName.clear();
    updateCaption();
    unsetCursor();
    musicbuttons::FormShow(program_, btnmusic);
}

void CryptogramWindow::FormClose()
{
    Hourglass hourglass;
    game_.Empty();
    showGame();
    musicbuttons::FormClose(program_);
    if (QWidget* launcher = desk_.launcher)
        launcher->show();
}
