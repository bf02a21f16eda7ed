// The cryptogram reader on arbitrary bytes: it returns one of its codes, and a record it accepts
// encodes back to the text, key and hints it read.
#include "cryptogram/cryptogramfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    cryptogram::Cryptogram puzzle;
    const int code = cryptogram::DecodeCryptogramRecord(bytes, puzzle);
    if (code != 0 && code != -3 && code != -4)
        std::abort();
    if (code == 0 && cryptogram::EncodeCryptogramRecord(puzzle).mid(256, 719) != bytes.mid(256, 719))
        std::abort();
    return 0;
}
