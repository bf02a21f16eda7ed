#include "printing/printrun.h"

#include "platform/printer.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace printing;

namespace {

// Records what a run shows, one line a call, for checking the order of everything.
class RecordingView : public ProgressView {
public:
    void showRun() override { log << "show"; }
    void setCaption(const QString& c) override { log << "caption " + c; }
    void setMessage(const QString& m) override { log << (m == PuzzleMessage() ? "msg puzzle" : "msg key"); }
    void setCounter(const QString& c) override { log << "counter " + c; }
    void repaintNow() override { log << "repaint"; }
    void AnimateProgress(int steps) override { log << "animate " + QString::number(steps); }
    bool cancelRequested() const override { return false; }
    void closeRun() override { log << "close"; }
    QStringList log;
};

// Records each sheet by the page it was drawn from.
class CountingOutput : public SheetOutput {
public:
    bool printSheet(const DrawSheet& draw) override
    {
        QImage scratch(10, 10, QImage::Format_RGB32);
        QPainter painter(&scratch);
        draw(painter, QRect(0, 0, 10, 10));
        sheets << current;
        return true;
    }
    bool finish() override
    {
        ++finished;
        return true;
    }
    QString target() const override { return QStringLiteral("counter"); }

    QStringList sheets;
    QString current;
    int finished = 0;
};

struct Fixture {
    RecordingView view;
    CountingOutput output;
    RunRequest request;

    Fixture(PageSteps steps, RunChoices choices)
    {
        request.steps = steps;
        request.choices = choices;
        request.name = QStringLiteral("Spring");
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
    Fixture f(PageSteps::together, {true, true, 3, 2});
    EXPECT_EQ(f.run(), RunEnd::completed);
    const QStringList expected =
        kOpening + sheetLines("PUZZLE", "msg puzzle", 3) + sheetLines("KEY", "msg key", 2) + QStringList{"animate 10", "close"};
    EXPECT_EQ(f.view.log, expected);
    EXPECT_EQ(f.output.sheets, (QStringList{"puzzle", "puzzle", "puzzle", "key", "key"}));
    EXPECT_EQ(f.output.finished, 1);
}

TEST(PrintRun, PagesAnnouncedOnTheirOwnComeEachBeforeItsCopies)
{
    const struct {
        RunChoices choices;
        QStringList sheets;
    } cases[] = {
        {{true, true, 1, 2}, {"puzzle", "key", "key"}},
        {{true, true, 2, 1}, {"puzzle", "puzzle", "key"}},
        {{false, true, 1, 1}, {"key"}},
        {{true, false, 1, 1}, {"puzzle"}},
    };
    for (const auto& c : cases) {
        Fixture f(PageSteps::eachAnnounced, c.choices);
        EXPECT_EQ(f.run(), RunEnd::completed);
        EXPECT_EQ(f.output.sheets, c.sheets);
    }

    Fixture f(PageSteps::eachAnnounced, {true, true, 1, 1});
    f.run();
    const QStringList expected = kOpening +
                                 QStringList{"caption PUZZLE", "msg puzzle", "counter Working...", "repaint",
                                             "animate 10", "animate 10"} +
                                 sheetLines("PUZZLE", "msg puzzle", 1) + QStringList{"animate 10"} +
                                 QStringList{"caption KEY", "msg key", "counter Working...", "repaint", "animate 10",
                                             "animate 10"} +
                                 sheetLines("KEY", "msg key", 1) + QStringList{"animate 10", "close"};
    EXPECT_EQ(f.view.log, expected);
}
