#pragma once

#include "printing/pagelayout.h"

#include <QString>
#include <functional>

class SheetOutput;

// The print run after the options are chosen: the progress messages and one sheet a copy.
namespace printing {

// How a run goes through its two pages: every copy of both after one opening message, or each
// page announced on its own (caption, message, a pause) before its copies. Each type keeps the
// way its print has always gone.
enum class PageSteps { together, eachAnnounced };

// Which pages and how many copies of each.
struct RunChoices {
    bool printPuzzle = true;
    bool printKey = false;
    int puzzleCopies = 1;
    int keyCopies = 1;
};

// What the run shows while it works: the progress window in the program, nothing in the maker.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void showRun() = 0;  // show, bring to the front; the cancel request is cleared
    virtual void setCaption(const QString& caption) = 0;
    virtual void setMessage(const QString& message) = 0;
    virtual void setCounter(const QString& counter) = 0;
    virtual void repaintNow() = 0;
    virtual void AnimateProgress(int steps) = 0;
    virtual bool cancelRequested() const = 0;
    virtual void closeRun() = 0; // lets pending messages run, then closes
};

// A view that shows nothing and never cancels: runs without a window.
class SilentProgress : public ProgressView {
public:
    void showRun() override {}
    void setCaption(const QString&) override {}
    void setMessage(const QString&) override {}
    void setCounter(const QString&) override {}
    void repaintNow() override {}
    void AnimateProgress(int) override {}
    bool cancelRequested() const override { return false; }
    void closeRun() override {}
};

// The page to print as it stands now: false for the first (puzzle) page, true for the second.
using DescribePages = std::function<PageLayout(bool key)>;

enum class RunEnd {
    completed,
    cancelled, // the user stopped it; the sheets done stay done
    failed,    // a job could not start or failed, or the file could not be written
};

struct RunRequest {
    PageSteps steps = PageSteps::together;
    RunChoices choices;
    QString name;
    DescribePages describe;
};

QString PuzzleMessage();
QString KeyMessage();

// From the moment the options are settled to the closing of the progress window: every
// message, repaint and animation step in its place, one sheet a copy, the puzzle first.
RunEnd RunPrint(const RunRequest& request, ProgressView& view, SheetOutput& output);

} // namespace printing
