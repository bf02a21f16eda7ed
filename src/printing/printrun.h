#pragma once

#include "printing/pagelayout.h"

#include <QString>
#include <functional>

class SheetOutput;

// The print run after the options are chosen: the progress messages, the page preparations of
// the types that fill their page just before it prints, and one sheet a copy.
namespace printing {

// Page kinds: which type's pages a run prints.
constexpr int kCryptogramPages = 2;
constexpr int kWordSearchPages = 3;
constexpr int kMazePages = 4;

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

// Fills the type's page window as the puzzle or the key just before its copies print. which is
// "Puzzle" or "Key" for the cryptogram, "puzzle" or "key" for the maze; name is the one given to
// the run.
using PreparePage = std::function<void(const QString& which, const QString& name)>;

// The page to print as it stands now: false for the first (puzzle) page, true for the second.
using DescribePages = std::function<PageLayout(bool key)>;

enum class RunEnd {
    completed,
    cancelled, // the user stopped it; the sheets done stay done
    failed,    // a job could not start or failed, or the file could not be written
};

struct RunRequest {
    int pageKind = kWordSearchPages;
    RunChoices choices;
    QString name;
    PreparePage prepare;
    DescribePages describe;
};

QString PuzzleMessage();
QString KeyMessage();

// From the moment the options are settled to the closing of the progress window: every
// message, repaint and animation step in its place, one sheet a copy, the puzzle first.
RunEnd RunPrint(const RunRequest& request, ProgressView& view, SheetOutput& output);

} // namespace printing
