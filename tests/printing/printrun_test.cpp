#include "printing/printrun.h"

#include "platform/printer.h"
#include "printing/runrecorder.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace printing;

namespace {

// Counts sheets by the page's title; can fail a job or the finish.
class CountingOutput : public SheetOutput {
public:
    bool printSheet(const DrawSheet& draw) override
    {
        QImage scratch(10, 10, QImage::Format_RGB32);
        QPainter painter(&scratch);
        draw(painter, QRect(0, 0, 10, 10));
        if (sheets.size() + 1 == failAt)
            return false;
        sheets << current;
        return true;
    }
    bool finish() override
    {
        ++finished;
        return finishes;
    }
    QString target() const override { return QStringLiteral("counter"); }

    QStringList sheets;
    QString current;
    int failAt = 0;
    bool finishes = true;
    int finished = 0;
};

struct Fixture {
    RecordingView view;
    CountingOutput output;
    RunRequest request;
    QStringList prepared;

    Fixture(int kind, RunChoices choices)
    {
        request.pageKind = kind;
        request.choices = choices;
        request.name = QStringLiteral("Spring");
        if (kind != kWordSearchPages)
            request.prepare = [this](const QString& which, const QString& name) {
                prepared << which + "/" + name;
                view.log << "prepare " + which;
            };
        request.describe = [this](bool key) {
            output.current = key ? "key" : "puzzle";
            PageLayout page;
            page.size = QSize(100, 100);
            return page;
        };
    }
    RunEnd run() { return RunPrint(request, view, output); }
};

QStringList sheetLines(const QString& caption, const QString& msg, int copies)
{
    QStringList lines;
    for (int i = 1; i <= copies; ++i)
        lines << "caption " + caption << msg << QString("counter Copy %1 of %2").arg(i).arg(copies) << "repaint"
              << "animate 10";
    return lines;
}

const QStringList kOpening = {"caption ", "msg puzzle", "counter Working...", "show", "repaint", "animate 10"};

} // namespace

TEST(PrintRun, WordSearchPrintsEveryCopyOfBothPagesInOrder)
{
    Fixture f(kWordSearchPages, {true, true, 3, 2});
    EXPECT_EQ(f.run(), RunEnd::completed);
    const QStringList expected =
        kOpening + sheetLines("PUZZLE", "msg puzzle", 3) + sheetLines("KEY", "msg key", 2) + QStringList{"animate 10", "close"};
    EXPECT_EQ(f.view.log, expected);
    EXPECT_EQ(f.output.sheets, (QStringList{"puzzle", "puzzle", "puzzle", "key", "key"}));
    EXPECT_EQ(f.output.finished, 1);
}

TEST(PrintRun, TypesThatFillTheirPageArePreparedBeforeEachPagesCopies)
{
    const struct {
        int kind;
        RunChoices choices;
        QStringList prepared;
        QStringList sheets;
    } cases[] = {
        {kCryptogramPages, {true, true, 1, 2}, {"Puzzle/Spring", "Key/Spring"}, {"puzzle", "key", "key"}},
        {kMazePages, {true, true, 2, 1}, {"puzzle/Spring", "key/Spring"}, {"puzzle", "puzzle", "key"}},
        {kMazePages, {false, true, 1, 1}, {"key/Spring"}, {"key"}},
        {kCryptogramPages, {true, false, 1, 1}, {"Puzzle/Spring"}, {"puzzle"}},
    };
    for (const auto& c : cases) {
        Fixture f(c.kind, c.choices);
        EXPECT_EQ(f.run(), RunEnd::completed);
        EXPECT_EQ(f.prepared, c.prepared);
        EXPECT_EQ(f.output.sheets, c.sheets);
    }

    Fixture f(kMazePages, {true, true, 1, 1});
    f.run();
    const QString puzzleWord = "prepare puzzle";
    const QString keyWord = "prepare key";
    const QStringList expected = kOpening +
                                 QStringList{"caption PUZZLE", "msg puzzle", "counter Working...", "repaint",
                                             "animate 10", puzzleWord, "animate 10"} +
                                 sheetLines("PUZZLE", "msg puzzle", 1) + QStringList{"animate 10"} +
                                 QStringList{"caption KEY", "msg key", "counter Working...", "repaint", "animate 10",
                                             keyWord, "animate 10"} +
                                 sheetLines("KEY", "msg key", 1) + QStringList{"animate 10", "close"};
    EXPECT_EQ(f.view.log, expected);
}

TEST(PrintRun, CancelStopsBeforeTheNextSheetAndKeepsTheSheetsDone)
{
    Fixture f(kWordSearchPages, {true, true, 3, 3});
    f.view.cancelAfterAnimations = 3; // the opening step, then two sheets
    EXPECT_EQ(f.run(), RunEnd::cancelled);
    EXPECT_EQ(f.output.sheets.size(), 2);
    EXPECT_EQ(f.output.finished, 1);
    EXPECT_EQ(f.view.log.last(), "close");

    Fixture m(kMazePages, {true, true, 1, 1});
    m.view.cancelAfterAnimations = 1;
    EXPECT_EQ(m.run(), RunEnd::cancelled);
    EXPECT_TRUE(m.prepared.isEmpty());
    EXPECT_TRUE(m.output.sheets.isEmpty());
}

TEST(PrintRun, AFailedJobOrFileEndsTheRun)
{
    Fixture job(kWordSearchPages, {true, false, 3, 1});
    job.output.failAt = 2;
    EXPECT_EQ(job.run(), RunEnd::failed);
    EXPECT_EQ(job.output.sheets.size(), 1);
    EXPECT_EQ(job.output.finished, 0);
    EXPECT_EQ(job.view.log.last(), "close");

    Fixture file(kWordSearchPages, {true, false, 1, 1});
    file.output.finishes = false;
    EXPECT_EQ(file.run(), RunEnd::failed);
}
