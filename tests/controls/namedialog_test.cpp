#include "controls/namedialog.h"

#include "support/modal.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

namespace {

struct Opened {
    QString editText;    // what the edit box held when the window opened
    QString selected;    // its selection then
    int cursor = -1;     // its caret then
    QString finalText;   // what it held when the test finished with it
};

// Runs the dialogue; while it is open, act on its edit box, then press OK (or Cancel).
Opened runDialog(StringDialog& dialog, bool& result, const std::function<void(QLineEdit*)>& act,
                 bool pressOk = true)
{
    Opened seen;
    WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [&](QWidget* window) {
        auto* edit = window->findChild<QLineEdit*>(QStringLiteral("edText"));
        seen.editText = edit->text();
        seen.selected = edit->selectedText();
        seen.cursor = edit->cursorPosition();
        if (act)
            act(edit);
        seen.finalText = edit->text();
        const char* button = pressOk ? "btnOK" : "btnCancel";
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
    result = dialog.Execute();
    return seen;
}

void type(QLineEdit* edit, const QString& keys)
{
    edit->setFocus();
    QTest::keyClicks(edit, keys);
}

void paste(QLineEdit* edit, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

TEST(StringDialog, FileNameModeDropsRefusedTypedCharacters)
{
    NameDialog dialog;
    dialog.setDialogType(sddFileName);
    bool ok = false;
    const Opened seen = runDialog(dialog, ok, [](QLineEdit* edit) {
        type(edit, QStringLiteral("a.b"));
        EXPECT_EQ(edit->text(), QStringLiteral("ab"));
        type(edit, QStringLiteral(":?\\/*\"<>|"));
    });
    EXPECT_EQ(seen.finalText, QStringLiteral("ab"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog.Text(), QStringLiteral("ab"));
}

TEST(StringDialog, BackspaceAlwaysPasses)
{
    NameDialog dialog;
    dialog.setCharType(sdcNumbers);
    dialog.setText(QStringLiteral("123"));
    dialog.setAutoSelect(false);
    bool ok = false;
    runDialog(dialog, ok, [](QLineEdit* edit) {
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_Backspace);
    });
    EXPECT_EQ(dialog.Text(), QStringLiteral("12"));
}

TEST(StringDialog, BadStartingTextOpensEmptyAndCancelKeepsText)
{
    NameDialog dialog;
    dialog.setDialogType(sddFileName);
    dialog.setText(QStringLiteral("bad:name"));
    bool ok = true;
    const Opened seen = runDialog(dialog, ok, [](QLineEdit* edit) { type(edit, QStringLiteral("new")); }, false);
    EXPECT_EQ(seen.editText, QString());
    EXPECT_FALSE(ok);
    EXPECT_EQ(dialog.Text(), QStringLiteral("bad:name"));

    dialog.setCharType(sdcNumbers);
    dialog.setDialogType(sddGeneral);
    dialog.setText(QStringLiteral("12a"));
    EXPECT_EQ(runDialog(dialog, ok, nullptr).editText, QString());

    dialog.setCharType(sdcLetters);
    dialog.setText(QStringLiteral("abc4"));
    EXPECT_EQ(runDialog(dialog, ok, nullptr).editText, QString());
}

TEST(StringDialog, MaxLengthCutsTheStartingTextAndCapsTyping)
{
    NameDialog dialog;
    dialog.setMaxLength(30);
    const QString forty = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCD");
    ASSERT_EQ(forty.size(), 40);
    dialog.setText(forty);
    bool ok = false;
    const Opened seen = runDialog(dialog, ok, [](QLineEdit* edit) {
        edit->end(false);
        type(edit, QStringLiteral("xyz"));
    });
    EXPECT_EQ(seen.editText, forty.left(30));
    EXPECT_EQ(dialog.Text(), forty.left(30));

    // No limit by default: the whole text opens.
    NameDialog unlimited;
    unlimited.setText(forty);
    EXPECT_EQ(runDialog(unlimited, ok, nullptr).editText, forty);
}

TEST(StringDialog, NumbersModeTakesSumsButNoLetters)
{
    NameDialog dialog;
    dialog.setCharType(sdcNumbers);
    bool ok = false;
    runDialog(dialog, ok, [](QLineEdit* edit) { type(edit, QStringLiteral("1a2+3=Z15 $%*/-.x")); });
    EXPECT_EQ(dialog.Text(), QStringLiteral("12+3=15$%*/-."));
}

TEST(StringDialog, LettersModeRefusesDigits)
{
    NameDialog dialog;
    dialog.setCharType(sdcLetters);
    bool ok = false;
    runDialog(dialog, ok, [](QLineEdit* edit) { type(edit, QStringLiteral("ab1c 2d.")); });
    EXPECT_EQ(dialog.Text(), QStringLiteral("abc d."));
}

TEST(StringDialog, PastedTextGoesThroughTheSameRules)
{
    NameDialog dialog;
    dialog.setDialogType(sddFileName);
    bool ok = false;
    runDialog(dialog, ok, [](QLineEdit* edit) { paste(edit, QStringLiteral("a:b/c?d")); });
    EXPECT_EQ(dialog.Text(), QStringLiteral("abcd"));

    // Pasted into the middle, the caret ends after what was kept.
    dialog.setText(QStringLiteral("xy"));
    dialog.setAutoSelect(false);
    runDialog(dialog, ok, [](QLineEdit* edit) {
        edit->setCursorPosition(1);
        paste(edit, QStringLiteral("<1|2>"));
        EXPECT_EQ(edit->text(), QStringLiteral("x12y"));
        EXPECT_EQ(edit->cursorPosition(), 3);
        // Inserted text that arrives by no key at all (a drop) is filtered too.
        edit->insert(QStringLiteral("?3"));
    });
    EXPECT_EQ(dialog.Text(), QStringLiteral("x123y"));

    NameDialog numbers;
    numbers.setCharType(sdcNumbers);
    runDialog(numbers, ok, [](QLineEdit* edit) { paste(edit, QStringLiteral("total: 12+3")); });
    EXPECT_EQ(numbers.Text(), QStringLiteral("12+3"));

    // Refused characters are dropped before the paste is cut to the length.
    NameDialog named;
    named.setDialogType(sddFileName);
    named.setMaxLength(30);
    const QString bad = QStringLiteral("ab:cd?ef*gh");
    runDialog(named, ok, [&](QLineEdit* edit) { paste(edit, bad.repeated(6)); });
    EXPECT_EQ(named.Text(), QStringLiteral("abcdefgh").repeated(4).left(30));
}

TEST(StringDialog, CharCaseIsForcedOnStartTypedAndPastedText)
{
    NameDialog dialog;
    dialog.setCharCase(TEditCharCase::ecUpperCase);
    dialog.setText(QStringLiteral("abc"));
    dialog.setAutoSelect(false);
    bool ok = false;
    const Opened seen = runDialog(dialog, ok, [](QLineEdit* edit) {
        edit->end(false);
        type(edit, QStringLiteral("d"));
        paste(edit, QStringLiteral("ef"));
    });
    EXPECT_EQ(seen.editText, QStringLiteral("ABC"));
    EXPECT_EQ(dialog.Text(), QStringLiteral("ABCDEF"));

    dialog.setCharCase(TEditCharCase::ecLowerCase);
    dialog.setText(QStringLiteral("MiXeD"));
    EXPECT_EQ(runDialog(dialog, ok, nullptr).editText, QStringLiteral("mixed"));
}

TEST(StringDialog, AutoSelectSelectsAllOrLeavesTheCaretAtTheStart)
{
    NameDialog dialog;
    dialog.setText(QStringLiteral("hello"));
    bool ok = false;
    Opened seen = runDialog(dialog, ok, nullptr);
    EXPECT_EQ(seen.selected, QStringLiteral("hello"));

    // Tabbing back into the edit box selects it all again.
    const auto tabBackIntoEdit = [](QLineEdit* edit) {
        QApplication::setActiveWindow(edit->window());
        auto* okButton = edit->window()->findChild<QPushButton*>(QStringLiteral("btnOK"));
        okButton->setFocus(Qt::TabFocusReason);
        edit->deselect();
        QTest::keyClick(okButton, Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_TRUE(edit->hasFocus());
    };
    QString selectedAfterTab;
    runDialog(dialog, ok, [&](QLineEdit* edit) {
        tabBackIntoEdit(edit);
        selectedAfterTab = edit->selectedText();
    });
    EXPECT_EQ(selectedAfterTab, QStringLiteral("hello"));

    dialog.setAutoSelect(false);
    int cursorAfterTab = -1;
    seen = runDialog(dialog, ok, [&](QLineEdit* edit) {
        tabBackIntoEdit(edit);
        selectedAfterTab = edit->selectedText();
        cursorAfterTab = edit->cursorPosition();
    });
    EXPECT_EQ(seen.selected, QString());
    EXPECT_EQ(seen.cursor, 0);
    EXPECT_EQ(selectedAfterTab, QString());
    EXPECT_EQ(cursorAfterTab, 0);
}

TEST(StringDialog, PasswordCharMasksTheText)
{
    NameDialog dialog;
    dialog.setPasswordChar(u'#');
    dialog.setText(QStringLiteral("abc"));
    bool ok = false;
    QString shown;
    runDialog(dialog, ok, [&](QLineEdit* edit) { shown = edit->displayText(); });
    EXPECT_EQ(shown, QStringLiteral("###"));
    EXPECT_EQ(dialog.Text(), QStringLiteral("abc"));

    dialog.setPasswordChar(u'*');
    runDialog(dialog, ok, [&](QLineEdit* edit) { shown = edit->displayText(); });
    EXPECT_EQ(shown, QStringLiteral("***"));

    dialog.setPasswordChar(QChar());
    runDialog(dialog, ok, [&](QLineEdit* edit) { shown = edit->displayText(); });
    EXPECT_EQ(shown, QStringLiteral("abc"));
}

TEST(StringDialog, WindowIsLaidOutFromThePrompt)
{
    NameDialog dialog;
    bool ok = false;
    auto check = [](QLineEdit* edit) {
        auto* window = edit->window();
        auto* label = window->findChild<QLabel*>(QStringLiteral("lblPrompt"));
        auto* okButton = window->findChild<QPushButton*>(QStringLiteral("btnOK"));
        auto* cancel = window->findChild<QPushButton*>(QStringLiteral("btnCancel"));
        const auto bottom = [](QWidget* w) { return w->y() + w->height(); };
        EXPECT_EQ(label->geometry().topLeft(), QPoint(7, 8));
        EXPECT_EQ(label->width(), 338);
        EXPECT_TRUE(label->wordWrap());
        EXPECT_EQ(edit->geometry(), QRect(7, bottom(label) + 10, 337, 21));
        EXPECT_EQ(okButton->geometry().topLeft(), QPoint(168, bottom(edit) + 20));
        EXPECT_EQ(cancel->geometry().topLeft(), QPoint(256, bottom(edit) + 20));
        EXPECT_EQ(window->size(), QSize(363, bottom(okButton) + 20));
        EXPECT_EQ(window->focusWidget(), edit);
    };

    int shortLabel = 0;
    runDialog(dialog, ok, [&](QLineEdit* edit) {
        check(edit);
        EXPECT_EQ(edit->window()->windowTitle(), QStringLiteral("String Dialog"));
        const auto* label = edit->window()->findChild<QLabel*>(QStringLiteral("lblPrompt"));
        EXPECT_EQ(label->text(), QStringLiteral("Please enter text below."));
        shortLabel = label->height();
    });

    dialog.setCaption(QStringLiteral("Puzzle name"));
    dialog.setPrompt(QStringLiteral("A prompt long enough to need several lines in a label that is only three "
                                    "hundred and thirty-eight pixels wide, so the edit box must move down."));
    runDialog(dialog, ok, [&](QLineEdit* edit) {
        check(edit);
        EXPECT_EQ(edit->window()->windowTitle(), QStringLiteral("Puzzle name"));
        EXPECT_GT(edit->window()->findChild<QLabel*>(QStringLiteral("lblPrompt"))->height(), shortLabel);
    });
}

TEST(StringDialog, OpensCentredOnTheScreen)
{
    NameDialog dialog;
    bool ok = false;
    QPoint centre;
    runDialog(dialog, ok, [&](QLineEdit* edit) { centre = edit->window()->geometry().center(); });
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_NEAR(centre.x(), screenCentre.x(), 2);
    EXPECT_NEAR(centre.y(), screenCentre.y(), 2);

    dialog.setPosition(DialogPosition::Designed);
    dialog.Window()->move(10, 20);
    QPoint at;
    runDialog(dialog, ok, [&](QLineEdit* edit) { at = edit->window()->pos(); });
    EXPECT_EQ(at, QPoint(10, 20));
}

TEST(StringDialog, WindowBelongsToTheOwnerAndGoesWithIt)
{
    auto* owner = new QWidget;
    auto* dialog = new NameDialog(owner);
    dialog->setPasswordChar(u'*');
    dialog->setText(QStringLiteral("secret"));
    bool ok = false;
    runDialog(*dialog, ok, nullptr);
    const QPointer<QDialog> window = dialog->Window();
    EXPECT_EQ(window->parentWidget(), owner);
    delete owner;
    EXPECT_TRUE(window.isNull());
}

TEST(StringDialog, EventsArriveInOrder)
{
    NameDialog dialog;
    dialog.setDialogType(sddFileName);
    QStringList log;
    dialog.OnShow = [&] { log << (dialog.Window()->isVisible() ? "show (open)" : "show"); };
    dialog.OnClose = [&] { log << (dialog.Window()->isVisible() ? "close (open)" : "close"); };
    dialog.OnKeyPress = [&](QChar& key) {
        log << (key.isNull() ? QStringLiteral("press dropped") : QStringLiteral("press ") + key);
        if (key == u'x')
            key = u'y'; // the handler may change the key
    };
    dialog.OnChange = [&] { log << QStringLiteral("change"); };
    dialog.OnKeyDown = [&](int& key, Qt::KeyboardModifiers) {
        log << QStringLiteral("down %1").arg(key);
        if (key == Qt::Key_Z)
            key = 0; // stops the key here
    };
    dialog.OnKeyUp = [&](int& key, Qt::KeyboardModifiers) { log << QStringLiteral("up %1").arg(key); };
    bool ok = false;
    runDialog(dialog, ok, [&](QLineEdit* edit) {
        log << QStringLiteral("open");
        type(edit, QStringLiteral("a:xz"));
    });
    const QStringList expected = {
        "show",
        "open",
        QStringLiteral("down %1").arg(Qt::Key_A), "press a", "change", QStringLiteral("up %1").arg(Qt::Key_A),
        QStringLiteral("down %1").arg(Qt::Key_Colon), "press dropped", QStringLiteral("up %1").arg(Qt::Key_Colon),
        QStringLiteral("down %1").arg(Qt::Key_X), "press x", "change", QStringLiteral("up %1").arg(Qt::Key_X),
        QStringLiteral("down %1").arg(Qt::Key_Z), QStringLiteral("up %1").arg(Qt::Key_Z),
        "close",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(dialog.Text(), QStringLiteral("ay"));
}

TEST(StringDialog, PlainDialogTakesAnyTextAndEscapeCancels)
{
    StringDialog dialog;
    dialog.setText(QStringLiteral("a:b"));
    bool ok = false;
    const Opened seen = runDialog(dialog, ok, [](QLineEdit* edit) { type(edit, QStringLiteral("?.")); });
    EXPECT_EQ(seen.editText, QStringLiteral("a:b"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(dialog.Text(), QStringLiteral("?."));

    WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [](QWidget* window) {
        auto* edit = window->findChild<QLineEdit*>(QStringLiteral("edText"));
        QTest::keyClicks(edit, QStringLiteral("other"));
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Text(), QStringLiteral("?."));
}

} // namespace
