#pragma once

#include "cryptogram/cryptogram.h"
#include "shell/makerkit.h"

// brainloft-make's cryptogram: the cryptogram verb and the .sbp and .sbd files' check and show
// (verbs.cpp), their print pages and worksheets (drawingverbs.cpp, linked where the maker draws).
namespace cryptogram {

void RegisterVerbs(maker::Registry& registry);
void RegisterDrawingVerbs(maker::Registry& registry);

// What the cryptogram verb and its worksheets share.
// --level L, 0 to 11 (default 3); false after a message.
bool LevelOption(const QString& verb, const maker::MakeOptions& options, maker::Context& ctx, int& level);
// The lines of a text read from textPath; false after a message naming the line at fault.
bool TextLines(const QString& verb, const QString& textPath, const QByteArray& bytes, maker::Context& ctx,
               MakerLines& lines);

} // namespace cryptogram
