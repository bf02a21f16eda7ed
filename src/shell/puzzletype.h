#pragma once

#include <QString>

#include <functional>

namespace maker {
struct Registry;
}

// One puzzle type as the shell sees it. Each type brings its own from its folder; the program
// and brainloft-make hold the list of them, in the launcher's order.
struct PuzzleType {
    // The active puzzle type its play window sets: the options and instructions open on its
    // page, and the instructions' tab of that number is its own.
    int id = 0;
    // "Snapdoodle": the launcher's item and the instructions' tab.
    QString name;
    // brainloft-make's verbs and file kinds of this type (make, check, show): code without Qt Gui,
    // so they start as fast as a plain Qt program. Verbs that draw are listed here without a run.
    std::function<void(maker::Registry&)> registerVerbs = {};
    // What of them draws (print pages, worksheets, pictures). Set only where that part is linked:
    // brainloft-make loads it for a verb that needs it.
    std::function<void(maker::Registry&)> registerDrawingVerbs = {};
};
