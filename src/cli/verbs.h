#pragma once

#include "shell/makerkit.h"
#include "shell/puzzletype.h"

#include <QList>

// brainloft-make is composed here: the puzzle types bring their verbs through their descriptors,
// and the maker adds its own.
namespace maker {

// The puzzle types, in the program's order.
QList<PuzzleType> MakerTypes();

// The maker's own verbs besides check and show.
void RegisterTuneVerbs(Registry& registry);
// These two draw (Qt Gui): linked only into the part that draws.
void RegisterPrintVerbs(Registry& registry);
void RegisterWorksheetVerbs(Registry& registry);

// What brainloft-make starts with: every verb that needs no Qt Gui, and the rest listed for the
// help without their run.
Registry CoreVerbs();
// Every verb complete, in the same order: the part that draws (drawing.cpp).
Registry AllVerbs();

} // namespace maker
