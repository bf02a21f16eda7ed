#include "printing/printpuzzle.h"
#include "printing/runrecorder.h"
#include "printing/printprogresswindow.h"
#include "printing/printoptionsdialog.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

class PrintWindowsTest : public ::testing::Test {
protected:
    PrintWindowsTest() : options(*t.program), progress(*t.program)
    {
        t.program->printer = &printer;
        page.size = QSize(100, 120);
        printing::PageItem title;
        title.kind = printing::PageItem::Kind::text;
        title.name = QStringLiteral("lbltitle");
        title.text = QStringLiteral("PAGE");
        title.rect = QRect(0, 0, 100, 20);
        page.items << title;
    }

    template <typename T>
    T* optionsChild(const char* name) { return options.findChild<T*>(QString::fromLatin1(name)); }

    // Runs the print with the options dialogue driven by choose; returns PrintPuzzle's result.
    bool print(std::function<void(PrintOptionsDialog&)> choose,
               printing::PageSteps steps = printing::PageSteps::together)
    {
        WhenModalNamed(QStringLiteral("fmprint"), [this, choose](QWidget*) { choose(options); });
        return printing::PrintPuzzle(*t.program, options, progress, steps, QStringLiteral("Spring"),
                                     [this](bool) { return page; });
    }

    // Sets the counts with the arrows, ticking the key when it gets copies, then presses a button.
    void choose(PrintOptionsDialog& dialog, int puzzle, int key, const char* button = "BitBtn1")
    {
        if (puzzle == 0)
            optionsChild<QCheckBox>("cbpuzzle")->click();
        else
            optionsChild<QSpinBox>("UpDown1")->setValue(puzzle);
        if (key > 0) {
            optionsChild<QCheckBox>("cbkey")->click();
            optionsChild<QSpinBox>("UpDown2")->setValue(key);
        }
        dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    QString counter() { return progress.findChild<QLabel*>(QStringLiteral("lblmsg2"))->text(); }

    TestProgram t;
    RecordingPrinter printer;
    PrintOptionsDialog options;
    PrintProgressWindow progress;
    printing::PageLayout page;
};

} // namespace

TEST_F(PrintWindowsTest, LargeCountsAreConfirmedWithThePageCountQuestion)
{
    const struct {
        int puzzle, key;
        bool yes;
        int jobs;
        QString text; // empty: no question
    } cases[] = {
        {2, 0, true, 2,
         "You have chosen to print 2 copies of the puzzle\nand to print 0 copies of the Key.\n\n"
         "Are you sure these numbers are correct?"},
        {0, 2, false, 0,
         "You have chosen to print 0 copies of the puzzle\nand to print 2 copies of the Key.\n\n"
         "Are you sure these numbers are correct?"},
        {1, 3, true, 4,
         "You have chosen to print 1 copy of the puzzle\nand to print 3 copies of the Key.\n\n"
         "Are you sure these numbers are correct?"},
        {1, 1, true, 2, ""},
    };
    for (const auto& c : cases) {
        t.boxes.boxes.clear();
        printer.jobs.clear();
        t.boxes.answer({c.yes});
        EXPECT_EQ(print([&](PrintOptionsDialog& d) { choose(d, c.puzzle, c.key); }), c.yes) << c.puzzle << "+" << c.key;
        EXPECT_EQ(printer.jobs.size(), c.jobs);
        if (c.text.isEmpty()) {
            EXPECT_TRUE(t.boxes.boxes.isEmpty());
            t.boxes.boxes.clear();
            t.boxes.answer({}); // the unused Yes
        } else {
            ASSERT_EQ(t.boxes.boxes.size(), 1);
            EXPECT_EQ(t.boxes.boxes[0].title, "Page count");
            EXPECT_EQ(t.boxes.boxes[0].text, c.text);
        }
        EXPECT_FALSE(progress.isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(PrintWindowsTest, CancelAndTheCloseBoxPrintNothing)
{
    EXPECT_FALSE(print([&](PrintOptionsDialog& d) { choose(d, 3, 0, "BitBtn2"); }));
    EXPECT_FALSE(print([](PrintOptionsDialog& d) { d.close(); }));
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_TRUE(t.boxes.boxes.isEmpty());
    EXPECT_EQ(printer.portraitCalls, 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintWindowsTest, EveryCopyIsAJobCountedOnTheProgressWindow)
{
    QStringList seen;
    printer.onSheet = [&] { seen << progress.windowTitle() + ": " + counter(); };
    t.boxes.answer({true});
    EXPECT_TRUE(print([&](PrintOptionsDialog& d) { choose(d, 3, 0); }));
    EXPECT_EQ(seen, (QStringList{"PUZZLE: Copy 1 of 3", "PUZZLE: Copy 2 of 3", "PUZZLE: Copy 3 of 3"}));
    EXPECT_EQ(printer.jobs.size(), 3);
    EXPECT_EQ(printer.jobs[0].size(), QSize(2480, 3508)); // A4 at 300 dpi
    // Five animations of ten steps (the opening, one a sheet, the closing) from state 0, which
    // does nothing; the bar carries on from there next time.
    const auto stateAfter = [](int steps) { return (steps - 1) % 26 + 1; };
    EXPECT_EQ(progress.animationState(), stateAfter(50));
    EXPECT_EQ(progress.visibleBlocks(), 3);
    EXPECT_EQ(t.clock.waited, 50 * 50);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_TRUE(print([&](PrintOptionsDialog& d) { choose(d, 1, 0); }));
    EXPECT_EQ(progress.animationState(), stateAfter(80));
}

TEST_F(PrintWindowsTest, CancelStopsTheRunBeforeTheNextSheet)
{
    printer.onSheet = [&] {
        if (printer.jobs.size() == 1)
            progress.findChild<QPushButton*>(QStringLiteral("btncancel"))->click();
    };
    t.boxes.answer({true});
    EXPECT_TRUE(print([&](PrintOptionsDialog& d) { choose(d, 5, 0); }));
    EXPECT_EQ(printer.jobs.size(), 2);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintWindowsTest, AFailedJobEndsTheRunWithAMessage)
{
    printer.failAtSheet = 2;
    t.boxes.answer({true});
    EXPECT_TRUE(print([&](PrintOptionsDialog& d) { choose(d, 3, 0); }));
    EXPECT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(t.boxes.boxes.size(), 2);
    EXPECT_EQ(t.boxes.boxes[1].kind, "error");
    EXPECT_EQ(t.boxes.boxes[1].text, "The page could not be printed.\nTest printer");
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintWindowsTest, OptionsStartFromOnePuzzleCopyAndWrapAround)
{
    t.program->printChoices = PrintChoices{false, true, 7, 9};
    QStringList states;
    print([&](PrintOptionsDialog& d) {
        auto* up1 = optionsChild<QSpinBox>("UpDown1");
        auto* ed1 = optionsChild<QLineEdit>("edpuzzle");
        auto* up2 = optionsChild<QSpinBox>("UpDown2");
        auto* ed2 = optionsChild<QLineEdit>("edkey");
        const PrintChoices& c = t.program->printChoices;
        EXPECT_TRUE(c.printPuzzle && !c.printKey && c.puzzleCopies == 1 && c.keyCopies == 1);
        EXPECT_TRUE(optionsChild<QCheckBox>("cbpuzzle")->isChecked());
        EXPECT_FALSE(optionsChild<QCheckBox>("cbkey")->isChecked());
        EXPECT_TRUE(up1->isEnabled() && ed1->isEnabled());
        EXPECT_FALSE(up2->isEnabled() || ed2->isEnabled());
        EXPECT_TRUE(ed1->isReadOnly());
        EXPECT_EQ(ed1->maxLength(), 2);

        up1->stepDown();
        states << ed1->text() + "/" + QString::number(c.puzzleCopies);
        up1->stepUp();
        states << ed1->text() + "/" + QString::number(c.puzzleCopies);
        up1->setValue(98);
        up1->stepUp();
        up1->stepUp();
        states << ed1->text() + "/" + QString::number(c.puzzleCopies);

        // Ticking the key takes the count its field shows: 1 unless changed.
        optionsChild<QCheckBox>("cbkey")->click();
        states << QString::number(c.keyCopies) + (c.printKey ? " key" : "");
        optionsChild<QCheckBox>("cbkey")->click();
        states << (c.printKey ? "key" : "no key");
        d.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    });
    EXPECT_EQ(states, (QStringList{"99/99", "1/1", "1/1", "1 key", "no key"}));
}

TEST_F(PrintWindowsTest, OkNeedsAPageAndSomewhereToPrint)
{
    printer.installed = false;
    bool stillOpen[2] = {false, false};
    printer.onSetup = [&] { printer.installed = true; };
    const bool printed = print([&](PrintOptionsDialog& d) {
        optionsChild<QCheckBox>("cbpuzzle")->click();
        d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        stillOpen[0] = d.isVisible();
        optionsChild<QCheckBox>("cbpuzzle")->click();
        d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        stillOpen[1] = d.isVisible();
        d.findChild<QPushButton*>(QStringLiteral("BitBtn3"))->click();
        d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    EXPECT_TRUE(stillOpen[0] && stillOpen[1]);
    EXPECT_TRUE(printed);
    EXPECT_EQ(printer.setupRuns, 1);
    EXPECT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(t.boxes.boxes.size(), 2);
    EXPECT_EQ(t.boxes.boxes[0].title, "Notice");
    EXPECT_EQ(t.boxes.boxes[0].text, "You must select at least one page to continue!");
    EXPECT_EQ(t.boxes.boxes[1].text,
              "No printer is installed.\nPress Properties to choose a printer or to print to a PDF file.");
}

TEST(ProgressWindow, IsSmallOnTopWithBlocksInPlace)
{
    TestProgram t;
    PrintProgressWindow progress(*t.program);
    EXPECT_EQ(progress.width(), 205);
    EXPECT_TRUE(progress.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(progress.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint));
    for (int k = 1; k <= 13; ++k) {
        auto* block = progress.findChild<QLabel*>(QStringLiteral("Image%1").arg(k));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block->geometry(), QRect(4 + 12 * (k - 1), 2, 10, 20));
    }
    EXPECT_EQ(progress.visibleBlocks(), 0);
    progress.AnimateProgress(10);
    EXPECT_EQ(progress.visibleBlocks(), 3); // blocks 4 to 6
    EXPECT_EQ(progress.animationState(), 10);
}
