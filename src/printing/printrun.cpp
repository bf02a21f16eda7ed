#include "printing/printrun.h"

#include "platform/printer.h"

namespace printing {
namespace {

const QString kWorking = QStringLiteral("Working...");
const QString kPuzzleCaption = QStringLiteral("PUZZLE");
const QString kKeyCaption = QStringLiteral("KEY");

class Run {
public:
    Run(const RunRequest& request, ProgressView& view, SheetOutput& output)
        : request_(request), view_(view), output_(output)
    {
    }

    RunEnd go()
    {
        const RunChoices& c = request_.choices;
        view_.setCaption(QString());
        view_.setMessage(PuzzleMessage());
        view_.setCounter(kWorking);
        view_.showRun();
        view_.repaintNow();
        animate();
        if (request_.steps == PageSteps::together) {
            PrintCopies(3);
            animate();
        } else {
            if (c.printPuzzle)
                announceAndPrint(false);
            if (c.printKey)
                announceAndPrint(true);
        }
        // A cancelled run keeps the sheets done, so a PDF file is still written.
        if (end_ != RunEnd::failed && !output_.finish())
            end_ = RunEnd::failed;
        view_.closeRun();
        return end_;
    }

private:
    bool stopped() const { return end_ != RunEnd::completed; }

    // One animation of ten steps; a cancel heard meanwhile stops the run before its next sheet
    // or preparation.
    void animate()
    {
        if (stopped())
            return;
        view_.AnimateProgress(10);
        if (view_.cancelRequested())
            end_ = RunEnd::cancelled;
    }

    void announceAndPrint(bool key)
    {
        if (stopped())
            return;
        view_.setCaption(key ? kKeyCaption : kPuzzleCaption);
        view_.setMessage(key ? KeyMessage() : PuzzleMessage());
        view_.setCounter(kWorking);
        view_.repaintNow();
        animate();
        animate();
        PrintCopies(key ? 2 : 1);
        animate();
    }

    void PrintCopies(int which)
    {
        const RunChoices& c = request_.choices;
        if (c.printPuzzle && (which == 1 || which == 3))
            printSide(false, c.puzzleCopies);
        if (c.printKey && (which == 2 || which == 3))
            printSide(true, c.keyCopies);
    }

    void printSide(bool key, int copies)
    {
        for (int i = 1; i <= copies && !stopped(); ++i) {
            view_.setCaption(key ? kKeyCaption : kPuzzleCaption);
            view_.setMessage(key ? KeyMessage() : PuzzleMessage());
            view_.setCounter(QStringLiteral("Copy ") + QString::number(i) + QStringLiteral(" of ") +
                             QString::number(copies));
            view_.repaintNow();
            const PageLayout& page = pageFor(key);
            if (!output_.printSheet([&page](QPainter& painter, const QRect& printable) {
                    RenderPage(painter, page, printable);
                })) {
                end_ = RunEnd::failed;
                return;
            }
            animate();
        }
    }

    // A page is described once after it was prepared and reused for every copy.
    const PageLayout& pageFor(bool key)
    {
        const int side = key ? 1 : 0;
        if (!described_[side]) {
            pages_[side] = request_.describe ? request_.describe(key) : PageLayout();
            described_[side] = true;
        }
        return pages_[side];
    }

    const RunRequest& request_;
    ProgressView& view_;
    SheetOutput& output_;
    RunEnd end_ = RunEnd::completed;
    PageLayout pages_[2];
    bool described_[2] = {false, false};
};

} // namespace

QString PuzzleMessage()
{
    return QStringLiteral("Puzzle generator is now preparing your puzzle for print.  Please wait.");
}

QString KeyMessage()
{
    return QStringLiteral("Puzzle generator is now preparing your key for print.  Please wait.");
}

RunEnd RunPrint(const RunRequest& request, ProgressView& view, SheetOutput& output)
{
    return Run(request, view, output).go();
}

} // namespace printing
