#include "picture/puzzlebuild.h"

#include "picture/playrules.h"
#include "picture/tiles.h"
#include "platform/rng.h"

namespace picture {
namespace {

void SwapTiles(PictureState& state, int s, int t)
{
    std::swap(state.boardTiles[s], state.boardTiles[t]);
}

} // namespace

void ScrambleTiles(PictureState& state, Rng& rng)
{
    QStringList from;
    QStringList to;
    state.puzzleCells.clear();
    for (int k = 1; k <= kCells; ++k) {
        if (!IsEmptyTile(state.boardTiles[k])) {
            from << QString::number(k);
            to << QString::number(k);
        }
    }
    state.puzzleCells = from;
    while (!from.isEmpty() || !to.isEmpty()) {
        QString s;
        QString t;
        do {
            s = from.value(rng.random(static_cast<int>(from.size())));
            t = to.value(rng.random(static_cast<int>(to.size())));
        } while (from.size() > 1 && s == t);
        SwapTiles(state, s.toInt(), t.toInt());
        from.removeOne(s);
        from.removeOne(t);
        to.removeOne(s);
        to.removeOne(t);
    }
}

bool BuildPicturePuzzle(PictureState& state, const QImage& canvas, Rng& rng)
{
    if (IsEmptyTile(canvas))
        return false;
    const QString name = state.pictureName;
    ResetBoard(state);
    state.pictureName = name;
    for (int k = 1; k <= kCells; ++k)
        state.boardTiles[k] = CutTile(canvas, k);
    state.answerTiles = state.boardTiles;
    ScrambleTiles(state, rng);
    for (int k = 1; k <= kCells; ++k) {
        if (!IsPuzzleCell(state, k)) {
            state.boardTiles[k] = XTile();
            state.answerTiles[k] = XTile();
        }
    }
    state.preview = canvas.convertToFormat(QImage::Format_RGB32);
    return true;
}

} // namespace picture
