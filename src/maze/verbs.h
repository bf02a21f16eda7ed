#pragma once

#include "shell/makerkit.h"

// brainloft-make's maze: the maze verb and the .mzp files' check and show (verbs.cpp), their
// print pages and worksheets (drawingverbs.cpp, linked where the maker draws).
namespace maze {

void RegisterVerbs(maker::Registry& registry);
void RegisterDrawingVerbs(maker::Registry& registry);

// --level L: 30, 60 (the default) or 100; false after a message. Shared with the worksheets.
bool LevelOption(const QString& verb, const maker::MakeOptions& options, maker::Context& ctx, int& level);

} // namespace maze
