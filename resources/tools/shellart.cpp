// The options window's highlight preview and the About window's program picture.

#include "artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

// Letters drawn without smoothing: the preview must hold only black, white and one colour.
QFont PlainFont(int pixels)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

QImage MakeOptionsPreview()
{
    constexpr int kCell = 15;
    static const char* const kRows[7] = {"QBRAINY", "ZOFTWKE", "PUZZLES", "MAXELOT", "GRIDKFY", "WORDSHN", "CLUEVAB"};
    QImage image(105, 105, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    // Found words: PUZZLES and WORDS across, YES down the last column.
    const QColor highlight(255, 0, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(highlight);
    p.drawRect(0, 2 * kCell + 1, 7 * kCell, kCell - 2);
    p.drawRect(0, 5 * kCell + 1, 5 * kCell, kCell - 2);
    p.drawRect(6 * kCell + 1, 0, kCell - 2, 3 * kCell);
    p.setPen(Qt::black);
    p.setFont(PlainFont(12));
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            p.drawText(QRect(col * kCell, row * kCell, kCell, kCell), Qt::AlignCenter, QString(QChar(kRows[row][col])));
    return image;
}

QImage MakeProgramIcon()
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A navy tile with four small puzzle squares: letters, a maze path, a cipher glyph, a picture.
    p.setPen(QPen(QColor(0x20, 0x20, 0x40), 2));
    p.setBrush(kNavy);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    const QRectF cells[4] = {{10, 10, 20, 20}, {34, 10, 20, 20}, {10, 34, 20, 20}, {34, 34, 20, 20}};
    const QColor fills[4] = {QColor(0xFF, 0xEE, 0x88), QColor(0xB8, 0xE8, 0xB0), QColor(0xB0, 0xD0, 0xFF),
                             QColor(0xFF, 0xC0, 0xA8)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(fills[i]);
        p.drawRoundedRect(cells[i], 3, 3);
    }
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.drawText(cells[0], Qt::AlignCenter, QStringLiteral("B"));
    QPainterPath maze;
    maze.moveTo(37, 14);
    maze.lineTo(50, 14);
    maze.lineTo(50, 21);
    maze.lineTo(40, 21);
    maze.lineTo(40, 27);
    maze.lineTo(51, 27);
    p.setBrush(Qt::NoBrush);
    p.drawPath(maze);
    p.drawText(cells[2], Qt::AlignCenter, QStringLiteral("?"));
    p.setBrush(QColor(0x40, 0x90, 0x40));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(36, 52), QPointF(43, 40), QPointF(52, 52)}));
    p.setBrush(QColor(0xFF, 0xD0, 0x20));
    p.drawEllipse(QPointF(48, 40), 3, 3);
    return image;
}
