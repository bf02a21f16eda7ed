#include "cryptogram/cryptogrammaker.h"

#include "controls/placement.h"
#include "cryptogram/cryptogramkind.h"
#include "cryptogram/linefilter.h"
#include "cryptogram/state.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QValidator>

#include <algorithm>

using namespace cryptogram;

namespace {

// Typing and pasting alike go through the line filter. What does not fit is cut from what was
// just put in (the text before the caret), so a full line takes no more keys.
class MakerLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        QString before = clean(input.left(pos));
        const QString after = clean(input.mid(pos));
        const int excess = static_cast<int>(before.size() + after.size()) - kMaxLineLength;
        if (excess > 0)
            before.chop(std::min<int>(excess, before.size()));
        input = (before + after).left(kMaxLineLength);
        pos = std::min<int>(before.size(), input.size());
        return Acceptable;
    }

private:
    static QString clean(const QString& text)
    {
        QString taken;
        for (QChar c : text)
            if (TakesCharacter(c))
                taken += MakerCapital(c);
        return taken;
    }
};

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    // Enter belongs to the lines; no button fires on it.
    button->setAutoDefault(false);
    return button;
}

} // namespace

CryptogramMaker::CryptogramMaker(Program& program, Desk&, CryptogramState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      program_(program), state_(state)
{
    setObjectName(QStringLiteral("fmcmaker"));
    setWindowTitle(QStringLiteral("Crypt maker"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    Label1 = placement::MakeLabel(QStringLiteral("Please enter your text below."), QStringLiteral("Label1"), this,
                                  QRect(17, 10, 278, 18), false, 13);
    Label1->setFont(fonts::sans(13, true));

    for (int n = 1; n <= kLines; ++n) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(n));
        edit->setGeometry(17, 34 + 21 * (n - 1), 278, 21);
        edit->setFont(fonts::mono(13));
        edit->setValidator(new MakerLineValidator(edit));
        edit->setFocusPolicy(Qt::ClickFocus); // not reached by Tab
        edit->setCursor(Qt::ArrowCursor);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, n] { currentLine_ = n; });
        lines_[n - 1] = edit;
    }

    btnbuild = makeButton(QStringLiteral("build"), QStringLiteral("btnbuild"), this, QRect(133, 469, 75, 25));
    connect(btnbuild, &QPushButton::clicked, this, &CryptogramMaker::btnbuildClick);
    BitBtn2 = makeButton(QStringLiteral("Close"), QStringLiteral("BitBtn2"), this, QRect(221, 469, 75, 25));
    connect(BitBtn2, &QPushButton::clicked, this, &CryptogramMaker::reject);
}

QString CryptogramMaker::lineText(int n) const
{
    return lines_[n - 1]->text();
}

MakerLines CryptogramMaker::makerLines() const
{
    MakerLines lines;
    for (int n = 1; n <= kLines; ++n)
        lines[n - 1] = lineText(n).toLatin1();
    return lines;
}

bool CryptogramMaker::IsBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 32; });
}

void CryptogramMaker::FillMakerFromText(const CryptogramText& text)
{
    for (QLineEdit* edit : lines_)
        edit->clear();
    const MakerLines rows = RowsAsMakerLines(text);
    for (int n = 1; n <= kLines; ++n)
        lines_[n - 1]->setText(QString::fromLatin1(rows[n - 1]));
}

void CryptogramMaker::CompactLines()
{
    for (int i = 1; i < kLines; ++i) {
        if (IsBlank(lineText(i))) {
            line(i)->setText(lineText(i + 1));
            line(i + 1)->clear();
        }
    }
}

void CryptogramMaker::FocusFirstEmptyLine()
{
    for (QLineEdit* edit : lines_) {
        if (edit->text().isEmpty()) {
            edit->setFocus();
            return;
        }
    }
}

void CryptogramMaker::InsertBlankLine(int k)
{
    if (!lineText(kLines).isEmpty()) {
        program_.boxes.warning(QStringLiteral("Notice"),
                               QStringLiteral("All 20 lines in your puzzle contain text. In order to insert\n"
                                              "A line you must have at least one blank line!"));
        return;
    }
    if (lineText(k).isEmpty())
        return;
    for (int n = kLines; n > k; --n)
        line(n)->setText(lineText(n - 1));
    line(k)->clear();
    line(k)->setFocus();
}

void CryptogramMaker::moveToFreeLine(int k)
{
    if (!lineText(k).isEmpty())
        return;
    int j = 0;
    for (int n = k - 1; n >= 1; --n) {
        if (!lineText(n).isEmpty()) {
            j = n;
            break;
        }
    }
    line(j + 1)->setFocus();
}

void CryptogramMaker::compactIfCurrentLineBlank()
{
    if (currentLine_ != 0 && IsBlank(lineText(currentLine_)))
        CompactLines();
}

void CryptogramMaker::btnbuildClick()
{
    accept();
}

void CryptogramMaker::BuildCryptogram(NameDialog& sd1, QWidget* playWindow)
{
    BuildCryptogramPuzzle(state_.puzzle, makerLines(), program_.settings.cgSkill, program_.rng);
    const puzzlefiles::SaveResult saved =
        puzzlefiles::SaveAfterBuild(program_, sd1, CryptogramKind(program_, state_), state_.currentName, playWindow);
    if (saved == puzzlefiles::SaveResult::Declined)
        state_.currentName.clear();
}

void CryptogramMaker::accept()
{
    // Nothing to build from: the window stays open without a word.
    if (IsBlank(lineText(1)))
        return;
    QDialog::accept();
}

void CryptogramMaker::reject()
{
    if (!program_.boxes.question(QStringLiteral("Notice:"),
                                 QStringLiteral("If you close the Crypt maker now your puzzle will not\n"
                                                "be built! Are you sure you want to close now?")))
        return;
    state_.currentName.clear();
    QDialog::reject();
}

void CryptogramMaker::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        placement::CentreUnlessPlaced(this);
        FormShow();
    }
    QDialog::showEvent(event);
}

void CryptogramMaker::FormShow()
{
    if (state_.makerStartsEmpty)
        for (QLineEdit* edit : lines_)
            edit->clear();
    line(1)->setFocus();
    line(1)->deselect();
}

int CryptogramMaker::lineNumberOf(QObject* object) const
{
    const auto found = std::find(lines_.begin(), lines_.end(), object);
    return found == lines_.end() ? 0 : static_cast<int>(found - lines_.begin()) + 1;
}

bool CryptogramMaker::eventFilter(QObject* watched, QEvent* event)
{
    const int n = lineNumberOf(watched);
    if (n == 0)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CompactLines();
            FocusFirstEmptyLine();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Insert && !keyEvent->isAutoRepeat())
            InsertBlankLine(n);
        break;
    }
    case QEvent::FocusIn: {
        // A line never selects its text on entry; a dialogue that the window manager activates
        // late hands its first line the focus as if by Tab, which would select it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
            QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
            QCoreApplication::sendEvent(watched, &plain);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
        compactIfCurrentLineBlank();
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            lines_[n - 1]->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            moveToFreeLine(n);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
