// The maker's word-list reader on arbitrary bytes: a list it accepts keeps every limit.
#include "wordsearch/wordlist.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const wordsearch::WordListResult list = wordsearch::ParseWordList(bytes);
    if (list.error.isEmpty()) {
        int letters = 0;
        if (list.words.isEmpty() || list.words.size() > wordsearch::kMaxWords)
            std::abort();
        for (const QString& w : list.words) {
            if (w.size() < 2 || w.size() > 10)
                std::abort();
            letters += static_cast<int>(w.size());
        }
        if (letters > wordsearch::kMaxLetters)
            std::abort();
    }
    return 0;
}
