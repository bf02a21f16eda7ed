#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "cryptogram/state.h"
#include "cryptogram/cryptogrammaker.h"
#include "cryptogram/cryptogramwindow.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Characters beyond ASCII, as a keyboard layout would deliver them.
void typeText(QWidget* target, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
    }
}

class MakerTest : public ::testing::Test {
protected:
    MakerTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(*tp.program);
        m = (&all->play<CryptogramWindow>(puzzletype::kCryptogram).maker());
        state().makerStartsEmpty = true;
        m->show();
        Settle();
    }
    ~MakerTest() override
    {
        tp.boxes.answer({true});
        if (m->isVisible())
            m->reject();
    }

    cryptogram::CryptogramState& state() { return all->play<CryptogramWindow>(puzzletype::kCryptogram).state(); }
    QLineEdit* line(int n) { return m->line(n); }
    void setLines(const QStringList& texts)
    {
        for (int n = 1; n <= 20; ++n)
            line(n)->setText(n <= texts.size() ? texts[n - 1] : QString());
    }
    QStringList lines(int count)
    {
        QStringList texts;
        for (int n = 1; n <= count; ++n)
            texts << m->lineText(n);
        return texts;
    }
    int focusedLine()
    {
        for (int n = 1; n <= 20; ++n)
            if (m->focusWidget() == line(n))
                return n;
        return 0;
    }
    void click(int n) { QTest::mouseClick(line(n), Qt::LeftButton, {}, QPoint(5, 5)); }

    TestProgram tp;
    std::unique_ptr<ProgramWindows> all;
    CryptogramMaker* m = nullptr;
};

} // namespace

TEST_F(MakerTest, WindowAndLines)
{
    EXPECT_EQ(m->windowTitle(), "Crypt maker");
    EXPECT_EQ(m->size(), QSize(312, 508));
    EXPECT_EQ(line(1)->geometry(), QRect(17, 34, 278, 21));
    EXPECT_EQ(line(20)->geometry(), QRect(17, 34 + 21 * 19, 278, 21));
    EXPECT_EQ(m->findChild<QPushButton*>("btnbuild")->geometry(), QRect(133, 469, 75, 25));
    EXPECT_EQ(m->findChild<QPushButton*>("BitBtn2")->text(), "Close");
    EXPECT_EQ(line(3)->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(focusedLine(), 1);

    // Typed and pasted text alike: capitals, Latin-1 without controls, 33 at most.
    typeText(line(1), QString::fromUtf8("hello, wörld €"));
    EXPECT_EQ(line(1)->text(), QString::fromUtf8("HELLO, WÖRLD "));
    QApplication::clipboard()->setText(QString::fromUtf8("ab\tc ÿ ") + QString(40, 'z'));
    line(2)->setFocus();
    line(2)->paste();
    EXPECT_EQ(line(2)->text(), QString::fromUtf8("ABC ÿ ") + QString(27, 'Z'));
    line(2)->setCursorPosition(3);
    QTest::keyClicks(line(2), "q");
    EXPECT_EQ(line(2)->text(), QString::fromUtf8("ABC ÿ ") + QString(27, 'Z')) << "a full line takes no more";
}

TEST_F(MakerTest, EnterClosesUpOneBlankLineAndFocusesTheFirstEmpty)
{
    QTest::keyClicks(line(1), "hello");
    QTest::keyClick(line(1), Qt::Key_Return);
    EXPECT_EQ(focusedLine(), 2);

    setLines({"ONE", "TWO", "", "FOUR"});
    QTest::keyClick(line(4), Qt::Key_Return);
    EXPECT_EQ(lines(4), (QStringList{"ONE", "TWO", "FOUR", ""}));
    EXPECT_EQ(focusedLine(), 4);

    setLines({"A", "", "", "B"});
    QTest::keyClick(line(1), Qt::Key_Enter);
    EXPECT_EQ(lines(4), (QStringList{"A", "", "B", ""})) << "one pass takes one line from a run";

    // Three blanks are blank for the close-up but not empty for the focus.
    setLines({"A", "   ", "B"});
    line(20)->setText("Z");
    m->FocusFirstEmptyLine();
    EXPECT_EQ(focusedLine(), 4);
    QTest::keyClick(line(1), Qt::Key_Return);
    EXPECT_EQ(lines(4), (QStringList{"A", "B", "", ""}));
}

TEST_F(MakerTest, ClickRuleAndMouseDownCloseUp)
{
    setLines({"A", "B", "C"});
    click(15);
    EXPECT_EQ(focusedLine(), 4);
    click(2);
    EXPECT_EQ(focusedLine(), 2) << "a line with text keeps the click";
    setLines({"A", "   ", "C"});
    line(1)->setText("AA");
    click(8);
    EXPECT_EQ(focusedLine(), 4) << "a line of blanks is not empty";

    setLines({"A", "B", "C"});
    line(2)->setText("  ");
    ASSERT_EQ(m->currentLine(), 2);
    click(3);
    EXPECT_EQ(lines(3), (QStringList{"A", "C", ""})) << "the blank line changed last closes up first";
}

TEST_F(MakerTest, InsertOpensALineOrWarns)
{
    setLines({"A", "B", "C"});
    QTest::keyClick(line(2), Qt::Key_Insert);
    EXPECT_EQ(lines(5), (QStringList{"A", "", "B", "C", ""}));
    EXPECT_EQ(focusedLine(), 2);
    QTest::keyClick(line(2), Qt::Key_Insert);
    EXPECT_EQ(lines(5), (QStringList{"A", "", "B", "C", ""})) << "nothing moves on an empty line";
    EXPECT_TRUE(tp.boxes.boxes.isEmpty());

    QStringList full;
    for (int n = 1; n <= 20; ++n)
        full << QString::number(n);
    setLines(full);
    QTest::keyClick(line(5), Qt::Key_Insert);
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].kind, "warning");
    EXPECT_EQ(tp.boxes.boxes[0].title, "Notice");
    EXPECT_EQ(tp.boxes.boxes[0].text, "All 20 lines in your puzzle contain text. In order to insert\n"
                                      "A line you must have at least one blank line!");
    EXPECT_EQ(lines(20), full);
}

TEST_F(MakerTest, BuildNeedsLineOneAndClosingAsks)
{
    state().currentName = "Riddle";
    setLines({"  ", "HELLO"});
    QTest::mouseClick(m->findChild<QPushButton*>("btnbuild"), Qt::LeftButton);
    EXPECT_TRUE(m->isVisible()) << "a blank first line keeps the maker open";
    EXPECT_TRUE(tp.boxes.boxes.isEmpty());

    QTest::mouseClick(m->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
    QTest::keyClick(m, Qt::Key_Escape);
    m->close();
    ASSERT_EQ(tp.boxes.boxes.size(), 3) << "Close, Escape and the close box ask";
    EXPECT_EQ(tp.boxes.boxes[0].title, "Notice:");
    EXPECT_EQ(tp.boxes.boxes[0].text, "If you close the Crypt maker now your puzzle will not\n"
                                      "be built! Are you sure you want to close now?");
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(state().currentName, "Riddle");

    QTest::keyClick(line(2), Qt::Key_Return);
    QTest::mouseClick(m->findChild<QPushButton*>("btnbuild"), Qt::LeftButton);
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(m->result(), QDialog::Accepted);

    m->show();
    tp.boxes.answer({true});
    m->close();
    EXPECT_FALSE(m->isVisible());
    EXPECT_EQ(m->result(), QDialog::Rejected);
    EXPECT_TRUE(state().currentName.isEmpty());
}

TEST_F(MakerTest, ShowEmptiesOrKeepsAndEditRowsAreTrimmed)
{
    setLines({"KEEP"});
    m->hide();
    state().makerStartsEmpty = false;
    m->show();
    EXPECT_EQ(m->lineText(1), "KEEP");
    // Under a window manager the dialogue gives its focus line a Tab-like focus once activated.
    QFocusEvent lateTab(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(line(1), &lateTab);
    EXPECT_FALSE(line(1)->hasSelectedText());

    cryptogram::CryptogramText text{};
    text.fill(' ');
    const QByteArray row0("  HELLO  ");
    std::copy(row0.begin(), row0.end(), text.begin());
    text[33 * 2] = 'X';
    m->FillMakerFromText(text);
    EXPECT_EQ(lines(4), (QStringList{"HELLO", "", "X", ""}));

    m->hide();
    state().makerStartsEmpty = true;
    m->show();
    EXPECT_EQ(lines(3), (QStringList{"", "", ""}));
    EXPECT_EQ(focusedLine(), 1);
}
