#pragma once

#include "app/puzzlestates.h"
#include "platform/colourchooser.h"
#include "platform/fluidtuneplayer.h"
#include "platform/linkopener.h"
#include "platform/richtextprinter.h"
#include "shell/windows.h"

#include <functional>
#include <memory>
#include <vector>

class Program;

// Creates every window once, in the start-up order, and owns them for the whole run.
class ProgramWindows {
public:
    explicit ProgramWindows(Program& program);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    Windows& windows() { return windows_; }
    PuzzleStates& states() { return states_; }
    FluidTunePlayer& tunePlayer() { return tunePlayer_; }

private:
    template <typename T>
    void lazily(OnFirstUse<T>& slot, const QString& name, std::function<std::unique_ptr<T>()> make,
                std::function<void(T&)> made = {});
    void placeNewWindow(QWidget* window);

    Program& program_;
    PuzzleStates states_;
    // The system dialogues, the browser, the printer and the synthesiser; they outlive the windows.
    QtColourChooser colours_;
    DesktopLinkOpener links_;
    QtRichTextPrinter printer_;
    FluidTunePlayer tunePlayer_;
    Windows windows_;
    std::vector<std::unique_ptr<QWidget>> owned_;
};
