#pragma once

#include "shell/makerkit.h"
#include "wordsearch/builder.h"
#include "wordsearch/puzzle.h"

class Rng;

// brainloft-make's word search: the wordsearch verb and the .wsp and .wsd files' check and show
// (verbs.cpp), their print pages and worksheets (drawingverbs.cpp, linked where the maker draws).
namespace wordsearch {

void RegisterVerbs(maker::Registry& registry);
void RegisterDrawingVerbs(maker::Registry& registry);

// What the wordsearch verb and its worksheets share.
// --retry K, 0 to 1000 (default 10); false after a message.
bool RetriesOption(const QString& verb, const maker::MakeOptions& options, maker::Context& ctx, qint64& retries);
// The words of a list read from listPath; false after a message naming the line at fault.
bool ListWords(const QString& verb, const QString& listPath, const QByteArray& text, maker::Context& ctx,
               QStringList& words);
// One puzzle as the verb builds it: built with one generator, again while words are left out, up
// to retries more times.
BuildOutcome BuildWordSearch(WordSearchPuzzle& puzzle, const QStringList& words, Rng& rng, qint64 retries);

} // namespace wordsearch
