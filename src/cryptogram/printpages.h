#pragma once

#include "cryptogram/cryptogram.h"
#include "printing/pagelayout.h"

#include <QString>

// The cryptogram's printed pages, composed from the puzzle alone: the title over the cipher rows,
// with the blanks and the starting hints (the puzzle page) or the plain text (the key page) under
// them. The player's guesses and cheats are never printed; control bytes of a foreign file print as
// empty cells.
namespace cryptogram {

constexpr int kPageWidth = 695;
constexpr int kPageHeight = 900;

// The puzzle page (key false) or the key page of puzzle, titled with name: its a to z in
// capitals, "UNTITLED" when it is empty, and "  <KEY>" after it on the key page.
printing::PageLayout ComposePrintPage(const Cryptogram& puzzle, const QString& name, bool key);

} // namespace cryptogram
