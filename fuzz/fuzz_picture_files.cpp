// The picture puzzle's three files from one input: two little-endian 32-bit lengths, then file 1,
// file 2 and the rest as file 3. The reader returns 0 or -1, changes nothing on -1, and a set
// it takes holds 48 tiles and cell numbers 1..48.
#include "picture/picturefiles.h"
#include "picture/tiles.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto length = [&](int at) -> qsizetype {
        if (input.size() < at + 4)
            return 0;
        return static_cast<qsizetype>(static_cast<std::uint8_t>(input[at]) | (static_cast<std::uint8_t>(input[at + 1]) << 8)
                                      | (static_cast<std::uint8_t>(input[at + 2]) << 16) | (std::uint32_t(static_cast<std::uint8_t>(input[at + 3])) << 24));
    };
    const QByteArray body = input.mid(8);
    const qsizetype first = std::min(length(0), body.size());
    const qsizetype second = std::min(length(4), body.size() - first);
    picture::PictureFileBytes files{body.left(first), body.mid(first, second), body.mid(first + second)};

    picture::PictureState state;
    const QStringList before = state.puzzleCells;
    const int code = picture::DecodePictureFiles(files, state);
    if (code != 0 && code != -1)
        std::abort();
    if (code == -1 && (state.puzzleCells != before || !picture::IsEmptyTile(state.preview)))
        std::abort();
    if (code == 0) {
        for (int k = 1; k <= picture::kCells; ++k)
            if (state.boardTiles[k].size() != QSize(80, 80) || state.answerTiles[k].size() != QSize(80, 80))
                std::abort();
        for (const QString& cell : state.puzzleCells)
            if (cell.toInt() < 1 || cell.toInt() > 48)
                std::abort();
    }
    return 0;
}
