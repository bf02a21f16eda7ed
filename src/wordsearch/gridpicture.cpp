#include "wordsearch/gridpicture.h"

#include "wordsearch/game.h"

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
constexpr int kBarWidth = 3;
constexpr int kLetterPixels = 16;

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
    painter.setPen(QPen(colour, kBarWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
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

GridDrawing LettersDrawing(const WordSearchPuzzle& puzzle)
{
    GridDrawing drawing;
    drawing.grid = puzzle.grid;
    return drawing;
}

GridDrawing PlayDrawing(const WordSearchPuzzle& puzzle, const WordSearchGame& game, const QColor& highlight)
{
    GridDrawing drawing = LettersDrawing(puzzle);
    drawing.highlight = highlight;
    for (const FoundWord& word : game.found())
        drawing.bars << GridBar{word.x1, word.y1, word.x2, word.y2};
    if (!game.waitingForFirstClick())
        drawing.marked = game.startCell();
    return drawing;
}

GridDrawing KeyDrawing(const WordSearchPuzzle& puzzle, const QColor& highlight)
{
    GridDrawing drawing = LettersDrawing(puzzle);
    drawing.highlight = highlight;
    for (int x1 = 1; x1 <= kField; ++x1)
        for (int y1 = 1; y1 <= kField; ++y1)
            for (int x2 = 1; x2 <= kField; ++x2)
                for (int y2 = 1; y2 <= kField; ++y2) {
                    const int n = puzzle.index.at(x1, y1, x2, y2);
                    if (n >= 1 && n <= kSlotCount && !puzzle.wordSlots[n - 1].isEmpty())
                        drawing.bars << GridBar{x1, y1, x2, y2};
                }
    return drawing;
}

QImage DrawingPicture(const GridDrawing& drawing, const LetterPictures& letters)
{
    const QImage lettersOnly = LettersPicture(drawing.grid, letters);
    QImage picture = lettersOnly;
    for (const GridBar& bar : drawing.bars)
        PaintWordHighlight(picture, bar.x1, bar.y1, bar.x2, bar.y2, drawing.highlight);
    if (!drawing.bars.isEmpty())
        OverlayLetters(picture, lettersOnly);
    if (drawing.marked)
        MarkStartCell(picture, drawing.marked->x(), drawing.marked->y(), drawing.highlight);
    return picture;
}

QFont LetterFont()
{
    // The narrow cut is nearest the letter pictures' tall, narrow capitals.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
    font.setPixelSize(kLetterPixels);
    font.setBold(true);
    return font;
}

void AddGridItems(printing::PageLayout& page, const GridDrawing& drawing, QPoint origin, const QString& name)
{
    using printing::PageItem;
    const auto cellCorner = [&](int column, int row) {
        return origin + QPoint(column * kCellPixels, row * kCellPixels);
    };
    const auto inner = [&](int column, int row) {
        return QRect(cellCorner(column, row) + QPoint(kInnerOffset, kInnerOffset), QSize(kInnerSize, kInnerSize));
    };
    const auto rectangle = [&](const QRect& rect, const QColor& colour) {
        PageItem item;
        item.name = name;
        item.rect = rect;
        item.colour = colour;
        page.items << item;
    };
    // One character or a row of them, each centred in its cell as a label of its own would be.
    const auto cells = [&](const QPoint& corner, const QString& text, const QColor& ink, const QRect& clip) {
        PageItem item;
        item.kind = PageItem::Kind::text;
        item.name = name;
        item.rect = QRect(corner, QSize(kCellPixels, kCellPixels));
        item.cellPitch = kCellPixels;
        item.text = text;
        item.font = LetterFont();
        item.colour = ink;
        item.alignment = Qt::AlignCenter;
        item.clip = clip;
        page.items << item;
    };

    const QColor highlight = QColor::fromRgb(drawing.highlight.rgb());
    const QPointF centre(kInnerOffset + kInnerSize / 2.0, kInnerOffset + kInnerSize / 2.0);
    for (const GridBar& bar : drawing.bars) {
        rectangle(inner(bar.x1 - 1, bar.y1 - 1), highlight);
        PageItem stroke;
        stroke.kind = PageItem::Kind::line;
        stroke.name = name;
        stroke.line = QLineF(QPointF(cellCorner(bar.x1 - 1, bar.y1 - 1)) + centre,
                             QPointF(cellCorner(bar.x2 - 1, bar.y2 - 1)) + centre);
        stroke.penWidth = kBarWidth;
        stroke.colour = highlight;
        page.items << stroke;
        rectangle(inner(bar.x2 - 1, bar.y2 - 1), highlight);
    }

    const auto letterAt = [&](int column, int row) {
        const char c = drawing.grid[column + 1][row + 1];
        return isLetter(c) ? QChar::fromLatin1(c) : QChar(u' ');
    };
    for (int row = 0; row < kField; ++row) {
        QString text;
        for (int column = 0; column < kField; ++column)
            text += letterAt(column, row);
        cells(cellCorner(0, row), text, Qt::black, QRect());
    }

    if (drawing.marked && fieldCell(drawing.marked->x(), drawing.marked->y())) {
        const int column = drawing.marked->x();
        const int row = drawing.marked->y();
        rectangle(inner(column, row), Qt::black);
        cells(cellCorner(column, row), QString(letterAt(column, row)), Qt::white, inner(column, row));
    }
}

} // namespace wordsearch
