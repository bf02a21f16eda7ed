#include "brainloft_resources.h"
#include "shell/program.h"
#include "shell/aboutwindow.h"
#include "shell/instructionswindow.h"
#include "shell/morewindow.h"
#include "shell/desk.h"
#include "platform/printer.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include "qtprint.h"
#include "scriptedseams.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class HelpWindowsTest : public ::testing::Test {
protected:
    HelpWindowsTest()
    {
        InitBrainloftResources();
        desk.types = {{1, "Snapdoodle"}, {2, "Glyphwhirl"}, {3, "Lettermoor"}, {4, "Windlepath"}};
        instructions = std::make_unique<InstructionsWindow>(*t.program, desk, printer);
        about = std::make_unique<AboutWindow>(*t.program, desk, links);
        desk.instructions = instructions.get();
    }
    QTabBar* tabs() { return instructions->findChild<QTabBar*>("tcIns"); }
    QString caption() { return instructions->findChild<QLabel*>("paninstructions")->text(); }
    QString page() { return instructions->findChild<QTextBrowser*>("reInstructions")->toPlainText(); }
    void click(const char* name) { instructions->findChild<QPushButton*>(name)->click(); }

    TestProgram t;
    Desk desk;
    RecordingPrinter printer;
    RecordingLinks links;
    std::unique_ptr<InstructionsWindow> instructions;
    std::unique_ptr<AboutWindow> about;
};

} // namespace

TEST_F(HelpWindowsTest, InstructionsOpenOnTheActiveTypesTab)
{
    const struct {
        int type;
        int tab;
        const char* caption;
        const char* heading;
    } cases[] = {{0, 0, "GENERAL (ALL PUZZLE TYPES)", "Getting started"},
                 {1, 1, "SNAPDOODLE", "Snapdoodle: picture puzzles"},
                 {2, 2, "GLYPHWHIRL", "Glyphwhirl: cryptograms"},
                 {3, 3, "LETTERMOOR", "Lettermoor: word searches"},
                 {4, 4, "WINDLEPATH", "Windlepath: mazes"},
                 {7, 0, "GENERAL (ALL PUZZLE TYPES)", "Getting started"}};
    for (const auto& c : cases) {
        t.program->activePuzzleType = c.type;
        instructions->show();
        EXPECT_EQ(tabs()->currentIndex(), c.tab) << c.type;
        EXPECT_EQ(caption(), c.caption);
        EXPECT_TRUE(page().startsWith(c.heading)) << page().left(40).toStdString();
        instructions->hide();
    }
    EXPECT_EQ(instructions->windowTitle(), "Brainloft <Instructions>");
    EXPECT_GE(instructions->minimumWidth(), 640);
    EXPECT_GE(instructions->minimumHeight(), 480);
    EXPECT_EQ(tabs()->cursor().shape(), Qt::PointingHandCursor);
    const QStringList captions = {"Main window", "Snapdoodle", "Glyphwhirl", "Lettermoor", "Windlepath", "General"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tabs()->tabText(i), captions[i]);
    EXPECT_EQ(instructions->findChild<QPushButton*>("btnLast")->toolTip(), "Go to last page (Final notes)");
}

TEST_F(HelpWindowsTest, PageButtonsWrapBetweenTheFirstAndLastPage)
{
    t.program->activePuzzleType = 4;
    instructions->show();
    click("btnForward");
    EXPECT_EQ(tabs()->currentIndex(), 0) << "forward from Windlepath";
    click("btnBack");
    EXPECT_EQ(tabs()->currentIndex(), 4) << "back from the first page";
    click("btnFirst");
    EXPECT_EQ(tabs()->currentIndex(), 0);
    click("btnLast");
    EXPECT_EQ(tabs()->currentIndex(), 4) << "the General tab is reached only by its tab";

    // A click on the General tab shows its page; the panel keeps the caption of the showing.
    QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(5).center());
    EXPECT_EQ(tabs()->currentIndex(), 5);
    EXPECT_TRUE(page().startsWith("Final notes"));
    EXPECT_EQ(caption(), "WINDLEPATH");
    click("btnForward");
    EXPECT_EQ(tabs()->currentIndex(), 0) << "forward from General goes to the first page";
    EXPECT_TRUE(page().startsWith("Getting started"));
    click("btnBack");
    click("btnBack");
    EXPECT_EQ(tabs()->currentIndex(), 3);
    EXPECT_TRUE(page().startsWith("Lettermoor"));

    // The page follows a change of tab by keyboard and by wheel as well.
    tabs()->setFocus();
    QTest::keyClick(tabs(), Qt::Key_Right);
    EXPECT_EQ(tabs()->currentIndex(), 4);
    EXPECT_TRUE(page().startsWith("Windlepath")) << "arrow key";
    QWheelEvent wheel(QPointF(10, 5), tabs()->mapToGlobal(QPointF(10, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(tabs(), &wheel);
    EXPECT_EQ(tabs()->currentIndex(), 5);
    EXPECT_TRUE(page().startsWith("Final notes")) << "wheel";
}

TEST_F(HelpWindowsTest, PrintAsksAndPrintsThePageAsOneJobNamedByThePanel)
{
    t.program->activePuzzleType = 3;
    instructions->show();
    t.boxes.answer({false});
    click("BitBtn2");
    EXPECT_TRUE(printer.jobs.isEmpty()) << "No prints nothing";
    ASSERT_EQ(t.boxes.boxes.size(), 1);
    EXPECT_EQ(t.boxes.boxes[0].kind, "question");
    EXPECT_EQ(t.boxes.boxes[0].title, "Print page");
    EXPECT_EQ(t.boxes.boxes[0].text,
              "Depending on your computer and printer it may take a minuet or \n"
              "two to print this page. Are you sure you want to print this page?\n\n"
              "If you want to print click OK and please wait.\n"
              "If you do not want to print this page now click NO.");

    QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(1).center());
    t.boxes.answer({true});
    click("BitBtn2");
    EXPECT_EQ(printer.jobs, QStringList({"LETTERMOOR"})) << "named by the panel, not the tab";
    ASSERT_EQ(printer.texts.size(), 1);
    EXPECT_TRUE(printer.texts[0].startsWith("Snapdoodle"));
}

TEST_F(HelpWindowsTest, WithoutAPrinterThePageGoesIntoAPdfFileOfItsOwn)
{
    // A print set-up that only answers the file dialogue.
    struct FileOnly : PrinterSetup {
        void setPortrait() override {}
        void runSetup(QWidget*) override {}
        bool hasTarget() const override { return false; }
        bool printsToFile() const override { return false; }
        std::unique_ptr<SheetOutput> startRun(const QString&) override { return nullptr; }
        QString choosePdfFile(QWidget*, const QString& suggested) override
        {
            offered << suggested;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        }
        QStringList answers, offered;
    } setup;
    QTemporaryDir dir;
    t.program->printer = &setup;
    printer.installed = false;
    instructions->show();

    t.boxes.answer({true});
    click("BitBtn2");
    EXPECT_TRUE(printer.jobs.isEmpty()) << "cancelled at the file dialogue";
    ASSERT_EQ(setup.offered.size(), 1);
    EXPECT_TRUE(setup.offered[0].endsWith("/Brainloft instructions.pdf")) << setup.offered[0].toStdString();

    QFile(dir.filePath("taken.pdf")).open(QIODevice::WriteOnly);
    setup.answers = {dir.filePath("taken.pdf"), dir.filePath("fresh")};
    t.boxes.boxes.clear();
    t.boxes.answer({true, false});
    click("BitBtn2");
    EXPECT_EQ(printer.pdfFiles, QStringList({dir.filePath("fresh.pdf")})) << "No to replacing asks for another name";
    ASSERT_EQ(t.boxes.boxes.size(), 3);
    EXPECT_EQ(t.boxes.boxes[1].text, "The file \"taken.pdf\" already exists.\nDo you want to replace it?");
    EXPECT_EQ(t.boxes.boxes[2].kind, "message");
    EXPECT_TRUE(t.boxes.boxes[2].text.endsWith(dir.filePath("fresh.pdf"))) << "the notice names the file";
    t.program->printer = nullptr;
}

TEST(RichTextPrinter, PrintsPortraitPagesToAPdf)
{
    InitBrainloftResources();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    QFile f(QStringLiteral(":/RTF/inst5"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(f.readAll()).repeated(3));
    EXPECT_TRUE(QtRichTextPrinter().print(doc, "GENERAL (ALL PUZZLE TYPES)", pdf));
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page>>") +
                  bytes.count("/Type /Page "),
              2)
        << "several pages";
    QByteArray title("\xFE\xFF", 2); // the job's title, in UTF-16 as PDF titles are
    for (QChar c : QStringLiteral("GENERAL"))
        title.append('\0').append(static_cast<char>(c.unicode()));
    EXPECT_TRUE(bytes.contains("/Title (" + title)) << "the job's title";
    const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(bytes));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_LT(m.captured(1).toDouble(), m.captured(2).toDouble()) << "portrait";
}

TEST_F(HelpWindowsTest, AboutShowsTheVersionAndOpensThePages)
{
    EXPECT_EQ(about->windowTitle(), "About Brainloft");
    EXPECT_EQ(about->findChild<QLabel*>("Version")->text(), "Version 2.0.1");
    EXPECT_EQ(about->findChild<QLabel*>("ProductName")->text(), "Brainloft");
    EXPECT_FALSE(about->findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
    about->findChild<QPushButton*>("BitBtn3")->click();
    emit about->findChild<QLabel*>("Label8")->linkActivated("#");
    MoreWindow more(links);
    emit more.findChild<QLabel*>("Label2")->linkActivated("#");
    EXPECT_EQ(links.opened, QStringList({"https://www.oakhollow.example/update.php?sw=brainloft&ver=02.00.01.00",
                                         "https://www.oakhollow.example/",
                                         "https://www.oakhollow.example/software/"}));
    EXPECT_EQ(more.windowTitle(), "More puzzles");
    EXPECT_EQ(more.size(), QSize(271, 127));
    EXPECT_TRUE(more.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(more.findChild<QLabel*>("Label3")->text(), "and look in the 'Brainloft' section.");
}

TEST_F(HelpWindowsTest, AboutLeadsToTheGeneralInstructions)
{
    t.program->activePuzzleType = 4;
    int shownTab = -1;
    QString shownCaption;
    WhenModalNamed(QStringLiteral("AboutBox"), [&](QWidget*) {
        WhenModalNamed(QStringLiteral("FmInstructions"), [&](QWidget*) {
            shownTab = tabs()->currentIndex();
            shownCaption = caption();
            instructions->findChild<QPushButton*>("BitBtn1")->click();
        });
        about->findChild<QPushButton*>("BitBtn1")->click();
    });
    about->exec();
    EXPECT_EQ(t.program->activePuzzleType, 0);
    EXPECT_EQ(shownTab, 0);
    EXPECT_EQ(shownCaption, "GENERAL (ALL PUZZLE TYPES)");
    EXPECT_FALSE(about->isVisible()) << "About closes behind the instructions";
}
