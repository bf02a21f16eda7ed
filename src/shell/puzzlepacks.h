#pragma once

#include <QString>

class Program;

// Puzzle packs arrive as installer programs dropped beside Brainloft; the launcher offers each
// one once and remembers in "Oakhollow brainloft.ini" that it asked.
namespace puzzlepacks {

constexpr int kHighestPack = 1000;

QString BookkeepingPath(const Program& program);
QString InstallerPath(const Program& program, int n);

int ReadPackAsked(const Program& program, int n);
void MarkPackAsked(const Program& program, int n);

// Offers every installer present (askAll) or only those not asked about yet; on Yes runs it in
// the program folder and waits for it. Every offered pack is marked asked, whatever happened.
void OfferPuzzlePacks(Program& program, bool askAll);

} // namespace puzzlepacks
