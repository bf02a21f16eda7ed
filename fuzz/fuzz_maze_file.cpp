// The maze reader on arbitrary bytes: it returns one of its codes, and a maze it accepts can be
// drawn and walked without the cursor ever leaving the maze's columns and rows.
#include "maze/mazefile.h"
#include "maze/mazeformat.h"
#include "maze/mazepicture.h"
#include "maze/walk.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    maze::MazeGrid grid;
    int n = 0;
    const int code = maze::DecodeMazeRecord(bytes, grid, n);
    if (code != 0 && code != -3 && code != -4)
        std::abort();
    if (code != 0)
        return 0;
    if (n < 1 || n > maze::kMaxSize)
        std::abort();

    QImage picture, key;
    maze::DrawMazePictures(grid, n, picture, key);
    if (picture.width() != n || key.height() != n)
        std::abort();
    maze::Cell cursor{0, 0};
    if (const std::optional<int> entrance = maze::FindEntrance(grid, n))
        cursor.x = *entrance;
    // The bytes after the record are moves (or, without any, the whole input): the low two
    // bits of a byte pick the arrow.
    const std::size_t record = maze::format::kRecordSize;
    const std::size_t first = size > record ? record : 0;
    for (std::size_t i = first; i < size; ++i) {
        const auto direction = static_cast<maze::Direction>(37 + (data[i] & 3));
        if (const std::optional<maze::Cell> next = maze::MoveCursor(grid, n, cursor, direction)) {
            if (next->x < 0 || next->x > n - 1 || next->y < 0 || next->y > n)
                std::abort();
            const std::int32_t cell = grid.at(next->x, next->y);
            if (cell != maze::mcOpen && cell != maze::mcRoute)
                std::abort();
            cursor = *next;
        }
        if (maze::IsAtExit(cursor.y, n))
            break;
    }
    return 0;
}
