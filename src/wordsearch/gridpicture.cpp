#include "wordsearch/gridpicture.h"

#include <QImageReader>
#include <QPainter>
#include <QString>
#include <algorithm>

namespace wordsearch {

namespace {

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kWhite = 0xFFFFFF;
// What a marked cell turns black and highlight into: one step off white and black in red.
constexpr QRgb kNearWhite = 0xFEFFFF;
constexpr QRgb kNearBlack = 0x010000;

QRgb plain(const QColor& colour)
{
    return colour.rgb() & 0xFFFFFF;
}

constexpr int kInnerOffset = 2;
constexpr int kInnerSize = 11;
constexpr int kCentreOffset = 7;

void ensureRgb32(QImage& picture)
{
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
}

// Within the inner square of a cell, every pixel of colour from becomes to.
void replaceInCell(QImage& picture, int left, int top, QRgb from, QRgb to)
{
    for (int y = top + kInnerOffset; y < top + kInnerOffset + kInnerSize; ++y) {
        if (y < 0 || y >= picture.height())
            continue;
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = left + kInnerOffset; x < left + kInnerOffset + kInnerSize; ++x) {
            if (x < 0 || x >= picture.width())
                continue;
            if ((line[x] & 0xFFFFFF) == from)
                line[x] = 0xFF000000u | to;
        }
    }
}

bool fieldCell(int column, int row)
{
    return column >= 0 && column < kField && row >= 0 && row < kField;
}

} // namespace

LetterPictures LoadLetterPictures()
{
    LetterPictures letters;
    for (int i = 0; i < 26; ++i) {
        QImageReader reader(QStringLiteral(":/LETTER/") + QChar(u'A' + i));
        QImage letter = reader.read();
        if (!letter.isNull())
            letters[i] = letter.convertToFormat(QImage::Format_RGB32);
    }
    return letters;
}

QImage BlankPicture()
{
    QImage picture(kPicturePixels, kPicturePixels, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

void DrawLetters(QImage& picture, const WordGrid& grid, const LetterPictures& letters)
{
    ensureRgb32(picture);
    QPainter painter(&picture);
    for (int y = 1; y <= kField; ++y) {
        for (int x = 1; x <= kField; ++x) {
            const char c = grid[x][y];
            if (!isLetter(c))
                continue;
            const QImage& letter = letters[c - 'A'];
            if (letter.isNull())
                continue;
            painter.drawImage(QPoint((x - 1) * kCellPixels, (y - 1) * kCellPixels), letter,
                              QRect(0, 0, kCellPixels, kCellPixels));
        }
    }
}

void MarkStartCell(QImage& picture, int column, int row, const QColor& highlight)
{
    if (!fieldCell(column, row))
        return;
    ensureRgb32(picture);
    const int left = column * kCellPixels;
    const int top = row * kCellPixels;
    replaceInCell(picture, left, top, kBlack, kNearWhite);
    replaceInCell(picture, left, top, plain(highlight), kNearBlack);
    replaceInCell(picture, left, top, kWhite, kBlack);
}

void PaintWordHighlight(QImage& picture, int x1, int y1, int x2, int y2, const QColor& highlight)
{
    ensureRgb32(picture);
    const QColor colour = QColor::fromRgb(plain(highlight));
    const QPoint first((x1 - 1) * kCellPixels, (y1 - 1) * kCellPixels);
    const QPoint last((x2 - 1) * kCellPixels, (y2 - 1) * kCellPixels);
    const QPoint inner(kInnerOffset, kInnerOffset);
    const QPoint centre(kCentreOffset, kCentreOffset);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(first + inner, QSize(kInnerSize, kInnerSize)), colour);
    painter.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(first + centre, last + centre);
    painter.fillRect(QRect(last + inner, QSize(kInnerSize, kInnerSize)), colour);
}

void OverlayLetters(QImage& target, const QImage& letters)
{
    ensureRgb32(target);
    const QImage source = letters.format() == QImage::Format_RGB32 ? letters
                                                                    : letters.convertToFormat(QImage::Format_RGB32);
    const int height = std::min(target.height(), source.height());
    const int width = std::min(target.width(), source.width());
    for (int y = 0; y < height; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < width; ++x)
            if ((from[x] & 0xFFFFFF) != kWhite)
                to[x] = from[x];
    }
}

QImage LettersPicture(const WordGrid& grid, const LetterPictures& letters)
{
    QImage picture = BlankPicture();
    DrawLetters(picture, grid, letters);
    return picture;
}

QImage KeyPicture(const WordSearchPuzzle& puzzle, const QImage& letters, const QColor& highlight)
{
    QImage key = BlankPicture();
    // Every bar has the same colour and is painted opaquely, so the order of the words does not
    // matter: one pass over the index serves all 64.
    for (int x1 = 1; x1 <= kField; ++x1)
        for (int y1 = 1; y1 <= kField; ++y1)
            for (int x2 = 1; x2 <= kField; ++x2)
                for (int y2 = 1; y2 <= kField; ++y2) {
                    const int n = puzzle.index.at(x1, y1, x2, y2);
                    if (n >= 1 && n <= kSlotCount && !puzzle.wordSlots[n - 1].isEmpty())
                        PaintWordHighlight(key, x1, y1, x2, y2, highlight);
                }
    OverlayLetters(key, letters);
    return key;
}

} // namespace wordsearch
