// The maker's line filter and the text-file reader on arbitrary bytes: whatever they hand on is
// at most 20 lines of at most 33 characters the maker could have held.
#include "cryptogram/linefilter.h"
#include "cryptogram/textfile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkLine(const QString& line)
{
    if (line.size() > cryptogram::kMaxLineLength)
        std::abort();
    for (QChar c : line)
        if (!cryptogram::TakesCharacter(c) || cryptogram::MakerCapital(c) != c)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString filtered = cryptogram::FilterMakerLine(QString::fromUtf8(bytes));
    checkLine(filtered);
    if (cryptogram::FilterMakerLine(filtered) != filtered)
        std::abort();

    const cryptogram::TextFileResult text = cryptogram::ParseCryptogramText(bytes);
    if (text.error.isEmpty() == (text.line != 0))
        std::abort();
    for (const QByteArray& line : text.lines)
        checkLine(QString::fromLatin1(line));
    return 0;
}
