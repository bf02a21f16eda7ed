#pragma once

#include "shell/optionspage.h"
#include "shell/puzzletype.h"

#include <QStringList>
#include <functional>
#include <memory>

struct Desk;
class PlayWindow;
class Program;
class QWidget;

// A puzzle type's windows: its play window, which makes its own key, maker and preview when
// they are first needed, and its page of the options window (none when it has no options).
struct PuzzleTypeWindows {
    PuzzleType type;
    std::function<std::unique_ptr<PlayWindow>(Program& program, Desk& desk)> makePlayWindow;
    OptionsPageMaker makeOptionsPage;
    // The stored names of the type's windows whose places persist between runs.
    QStringList positionedWindows;
};
