#pragma once

#include "shell/makerkit.h"

// brainloft-make's picture puzzle: the picture and picture-export verbs and the .tlp1 and .tld1
// files' kind are listed by verbs.cpp; everything they do reads or writes pictures, so it is all
// in drawingverbs.cpp, linked where the maker draws.
namespace picture {

void RegisterVerbs(maker::Registry& registry);
void RegisterDrawingVerbs(maker::Registry& registry);

} // namespace picture
