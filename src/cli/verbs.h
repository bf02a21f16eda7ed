#pragma once

#include "cli/makercommon.h"

// Each puzzle type brings its verbs and file kinds from one file of its own.
namespace maker {

void RegisterWordSearchVerbs(Registry& registry);
void RegisterCryptogramVerbs(Registry& registry);
void RegisterMazeVerbs(Registry& registry);
void RegisterPrintVerbs(Registry& registry);
void RegisterPictureVerbs(Registry& registry);
void RegisterTuneVerbs(Registry& registry);

// Every type's verbs, in the order the help lists them.
Registry AllVerbs();

} // namespace maker
