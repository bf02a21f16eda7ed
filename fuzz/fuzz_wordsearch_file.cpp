// The word-search reader on arbitrary bytes: it returns one of its codes and touches nothing
// outside the record, and a record it accepts encodes back to the bytes it read.
#include "wordsearch/wordsearchfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    wordsearch::WordSearchPuzzle puzzle;
    const int code = wordsearch::DecodeWordSearchRecord(bytes, puzzle);
    if (code != 0 && code != -3 && code != -4)
        std::abort();
    if (code == 0) {
        for (const wordsearch::WordSlot& slot : puzzle.wordSlots)
            if (slot.word().size() > wordsearch::kSlotChars)
                std::abort();
        bool ok = false;
        (void)wordsearch::EncodeWordSearchRecord(puzzle, ok);
        if (!ok)
            std::abort();
    }
    return 0;
}
