#pragma once

#include "app/puzzlestates.h"
#include "shell/windows.h"

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

private:
    template <typename T, typename... Args>
    T* create(Args&&... args);

    PuzzleStates states_;
    Windows windows_;
    std::vector<std::unique_ptr<QWidget>> owned_;
};
