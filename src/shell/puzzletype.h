#pragma once

#include <QString>

// One puzzle type as the shell sees it. Each type brings its own from its folder; the program
// and brainloft-make hold the list of them, in the launcher's order.
struct PuzzleType {
    // The active puzzle type its play window sets: the options and instructions open on its
    // page, and the instructions' tab of that number is its own.
    int id = 0;
    // "Snapdoodle": the launcher's item and the instructions' tab.
    QString name;
};
