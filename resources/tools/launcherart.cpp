// The launcher's background: a framed card with a title strip, a calm middle
// for the controls and one small motif of each puzzle type around it.

#include "artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 465;

// The strip the launcher lets the user drag by: x 6..591, y 6..31.
const QRect kTitleStrip(6, 6, 586, 26);
// Where the type list, the button panel and the wide button go.
const QRect kMiddle(150, 46, 300, 402);

QFont Font(const QString& family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawBackground(QPainter& p)
{
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(0xe4, 0xeb, 0xf7));
    sky.setColorAt(1.0, QColor(0xb4, 0xc4, 0xe4));
    p.fillRect(0, 0, kWidth, kHeight, sky);

    // Faint squared paper, like an empty puzzle grid.
    p.setPen(QColor(255, 255, 255, 90));
    for (int x = 6; x < kWidth; x += 16)
        p.drawLine(x, 32, x, kHeight);
    for (int y = 32; y < kHeight; y += 16)
        p.drawLine(0, y, kWidth, y);
}

void DrawFrame(QPainter& p)
{
    // Navy band around the inner area x 6..591, y 6..458.
    QPainterPath band;
    band.addRect(0, 0, kWidth, kHeight);
    QPainterPath inner;
    inner.addRect(6, 6, 586, 453);
    p.fillPath(band.subtracted(inner), kNavy);
    p.setPen(QColor(0xd8, 0xb8, 0x50));
    p.drawRect(2, 2, kWidth - 5, kHeight - 5);
}

void DrawTitleStrip(QPainter& p)
{
    QLinearGradient shade(0, kTitleStrip.top(), 0, kTitleStrip.bottom());
    shade.setColorAt(0.0, QColor(0x20, 0x20, 0x8c));
    shade.setColorAt(0.45, kNavy);
    shade.setColorAt(1.0, QColor(0x00, 0x00, 0x48));
    p.fillRect(kTitleStrip, shade);

    // A little four-tile logo at the left end.
    const QColor tiles[4] = {QColor(0xe8, 0x4a, 0x3c), QColor(0xf4, 0xc0, 0x30),
                             QColor(0x3c, 0xb4, 0x5a), QColor(0x4a, 0x9c, 0xf0)};
    for (int i = 0; i < 4; ++i)
        p.fillRect(13 + (i % 2) * 9, 10 + (i / 2) * 9, 8, 8, tiles[i]);

    p.setPen(Qt::white);
    p.setFont(Font(QStringLiteral("Liberation Sans"), 18, true));
    p.drawText(QRect(36, kTitleStrip.top(), 200, kTitleStrip.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Brainloft"));

    p.setPen(QColor(0xb8, 0xc4, 0xf0));
    p.setFont(Font(QStringLiteral("Liberation Sans"), 12));
    p.drawText(QRect(170, kTitleStrip.top(), 300, kTitleStrip.height()),
               Qt::AlignCenter, QStringLiteral("make a puzzle  \u2022  solve a puzzle"));
}

void DrawMiddle(QPainter& p)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0x40, 40));
    p.drawRoundedRect(kMiddle.translated(4, 4), 14, 14);
    p.setBrush(QColor(255, 255, 255, 215));
    p.setPen(QPen(kNavy, 2));
    p.drawRoundedRect(kMiddle, 14, 14);

    p.setPen(kNavy);
    p.setFont(Font(QStringLiteral("Liberation Serif"), 24, true));
    p.drawText(QRect(kMiddle.left(), 60, kMiddle.width(), 34), Qt::AlignCenter,
               QStringLiteral("Choose a puzzle"));
    p.setPen(QPen(QColor(0xd8, 0xb8, 0x50), 2));
    p.drawLine(200, 104, 400, 104);
    p.setBrush(QColor(0xd8, 0xb8, 0x50));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(300, 104), 4, 4);
    p.restore();
}

// Top left: a word-search corner with two found words.
void DrawLetterGrid(QPainter& p)
{
    const QRect area(20, 46, 120, 120);
    const int cell = 20;
    const char* rows[6] = {"PUZZLE", "QMKAWC", "TXAEOL", "HYNZRU", "FVDSEE", "KJOBTS"};

    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0x40, 40));
    p.drawRect(area.translated(3, 3));
    p.setBrush(Qt::white);
    p.setPen(QPen(kNavy, 2));
    p.drawRect(area);

    p.setRenderHint(QPainter::Antialiasing);
    // Found words: PUZZLE along the top, MAZE down the diagonal, CLUE downwards.
    auto capsule = [&](QPointF from, QPointF to, QColor colour) {
        colour.setAlpha(110);
        p.setPen(QPen(colour, 15, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from, to);
    };
    auto centre = [&](int col, int row) {
        return QPointF(area.left() + col * cell + cell / 2.0, area.top() + row * cell + cell / 2.0);
    };
    capsule(centre(0, 0), centre(5, 0), QColor(0xf0, 0x50, 0x40));
    capsule(centre(1, 1), centre(3, 3), QColor(0x40, 0xb0, 0x60));
    capsule(centre(5, 1), centre(5, 4), QColor(0x40, 0x90, 0xf0));

    p.setPen(kNavy);
    p.setFont(Font(QStringLiteral("Liberation Mono"), 14, true));
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            p.drawText(QRectF(area.left() + c * cell, area.top() + r * cell, cell, cell),
                       Qt::AlignCenter, QString(QChar(rows[r][c])));
    p.restore();
}

// Left middle: a few loose letter tiles.
void DrawLetterTiles(QPainter& p)
{
    struct Tile { QPointF at; qreal angle; char letter; };
    const Tile tiles[] = {{{34, 192}, -12, 'B'}, {{78, 184}, 8, 'R'}, {{120, 204}, -6, 'A'},
                          {{42, 238}, 10, 'I'}, {{86, 232}, -9, 'N'}};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(Font(QStringLiteral("Liberation Serif"), 20, true));
    for (const Tile& t : tiles) {
        p.save();
        p.translate(t.at);
        p.rotate(t.angle);
        const QRectF face(-15, -15, 30, 30);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0x30, 50));
        p.drawRoundedRect(face.translated(2, 3), 4, 4);
        QLinearGradient wood(face.topLeft(), face.bottomRight());
        wood.setColorAt(0, QColor(0xf8, 0xe4, 0xb0));
        wood.setColorAt(1, QColor(0xe0, 0xbc, 0x78));
        p.setBrush(wood);
        p.setPen(QPen(QColor(0x9c, 0x70, 0x30), 1));
        p.drawRoundedRect(face, 4, 4);
        p.setPen(QColor(0x40, 0x28, 0x10));
        p.drawText(face, Qt::AlignCenter, QString(QChar(t.letter)));
        p.restore();
    }
    p.restore();
}

// Bottom left: a tile picture with one tile lifted out.
void DrawTilePicture(QPainter& p)
{
    const QRect board(20, 310, 120, 120);
    const int tile = 40;

    QImage picture(board.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter q(&picture);
        q.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, 120);
        sky.setColorAt(0, QColor(0x70, 0xb8, 0xf8));
        sky.setColorAt(1, QColor(0xd8, 0xee, 0xff));
        q.fillRect(picture.rect(), sky);
        q.setPen(Qt::NoPen);
        q.setBrush(QColor(0xff, 0xd0, 0x40));
        q.drawEllipse(QPointF(98, 20), 11, 11);
        q.setBrush(QColor(0x58, 0xa8, 0x48));
        q.drawEllipse(QRectF(-40, 70, 130, 90));
        q.setBrush(QColor(0x3c, 0x88, 0x38));
        q.drawEllipse(QRectF(40, 82, 130, 80));
        q.setBrush(QColor(0xc8, 0x48, 0x38));
        q.drawPolygon(QPolygonF({QPointF(22, 68), QPointF(40, 52), QPointF(58, 68)}));
        q.setBrush(QColor(0xf4, 0xec, 0xdc));
        q.drawRect(QRectF(26, 68, 28, 22));
        q.setBrush(QColor(0x70, 0x48, 0x28));
        q.drawRect(QRectF(36, 76, 8, 14));
    }

    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0x40, 40));
    p.drawRect(board.adjusted(-3, -3, 6, 6));
    p.setBrush(QColor(0x28, 0x28, 0x70));
    p.drawRect(board.adjusted(-3, -3, 3, 3));

    const int lifted = 2;   // top row, right column, the one with the sun
    for (int i = 0; i < 9; ++i) {
        const QRect from((i % 3) * tile, (i / 3) * tile, tile, tile);
        const QRect to = from.translated(board.topLeft()).adjusted(1, 1, -1, -1);
        if (i == lifted) {
            p.setPen(QPen(QColor(0xd0, 0xd8, 0xf0), 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(to.adjusted(2, 2, -3, -3));
            continue;
        }
        p.drawImage(to, picture, from.adjusted(1, 1, -1, -1));
    }

    p.setRenderHint(QPainter::Antialiasing);
    p.translate(board.right() - 44, board.top() - 46);
    p.rotate(14);
    const QRect piece(0, 0, tile, tile);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0x30, 70));
    p.drawRect(piece.translated(4, 5));
    p.drawImage(piece, picture, QRect(2 * tile, 0, tile, tile));
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(piece);
    p.restore();
}

// Top right: a cipher wheel, the outer ring plain, the inner ring shifted.
void DrawCipherWheel(QPainter& p)
{
    const QPointF c(522, 112);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0x40, 40));
    p.drawEllipse(c + QPointF(3, 3), 62, 62);

    QRadialGradient brass(c, 62);
    brass.setColorAt(0, QColor(0xfb, 0xe8, 0xa8));
    brass.setColorAt(1, QColor(0xd8, 0xb0, 0x50));
    p.setBrush(brass);
    p.setPen(QPen(kNavy, 2));
    p.drawEllipse(c, 62, 62);
    p.setBrush(QColor(0xfd, 0xf6, 0xe0));
    p.drawEllipse(c, 44, 44);
    p.setBrush(kNavy);
    p.drawEllipse(c, 26, 26);

    // Letters stand upright on the rings, the inner ring shifted by seven.
    for (int ring = 0; ring < 2; ++ring) {
        p.setFont(Font(QStringLiteral("Liberation Sans"), ring == 0 ? 11 : 9, true));
        p.setPen(ring == 0 ? kNavy : QColor(0xb0, 0x30, 0x28));
        const qreal radius = ring == 0 ? 53 : 35.5;
        for (int i = 0; i < 26; ++i) {
            p.save();
            p.translate(c);
            p.rotate(i * 360.0 / 26);
            p.translate(0, -radius);
            p.drawText(QRectF(-7, -7, 14, 14), Qt::AlignCenter,
                       QString(QChar('A' + (ring == 0 ? i : (i + 7) % 26))));
            p.restore();
        }
    }
    p.setPen(QPen(QColor(0xd8, 0xb8, 0x50), 2));
    p.drawLine(c + QPointF(0, 18), c - QPointF(0, 18));
    p.drawLine(c - QPointF(0, 18), c - QPointF(5, 12));
    p.drawLine(c - QPointF(0, 18), c - QPointF(-5, 12));
    p.restore();
}

// Right middle: a line of cipher text with a few letters worked out.
void DrawCipherLine(QPainter& p)
{
    const QString cipher = QStringLiteral("XQBM");
    const QString plain = QStringLiteral("MA_E");
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 4; ++i) {
        const QRectF box(466 + i * 29, 202, 25, 24);
        p.setPen(QPen(kNavy, 1));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setFont(Font(QStringLiteral("Liberation Mono"), 16, true));
        p.setPen(QColor(0x80, 0x10, 0x10));
        p.drawText(box, Qt::AlignCenter, plain.mid(i, 1));
        p.setFont(Font(QStringLiteral("Liberation Mono"), 14, true));
        p.setPen(kNavy);
        p.drawText(QRectF(box.left(), box.bottom() + 3, box.width(), 18), Qt::AlignCenter,
                   cipher.mid(i, 1));
    }
    p.setPen(QPen(QColor(0x80, 0x10, 0x10), 2, Qt::DotLine));
    p.drawLine(QPointF(470, 262), QPointF(578, 262));
    p.restore();
}

// Bottom right: the corner of a maze with the walked route.
void DrawMaze(QPainter& p)
{
    constexpr int cols = 9, rows = 11, cell = 13;
    const QPoint origin(464, 290);
    // Wall flags per cell: 1 right, 2 bottom.
    int walls[rows][cols];
    bool seen[rows][cols] = {};
    for (auto& row : walls)
        for (int& w : row)
            w = 3;

    QRandomGenerator rng(19);
    struct Step { int r, c; };
    std::vector<Step> stack{{0, 0}};
    seen[0][0] = true;
    while (!stack.empty()) {
        const Step s = stack.back();
        Step options[4];
        int n = 0;
        if (s.r > 0 && !seen[s.r - 1][s.c]) options[n++] = {s.r - 1, s.c};
        if (s.r < rows - 1 && !seen[s.r + 1][s.c]) options[n++] = {s.r + 1, s.c};
        if (s.c > 0 && !seen[s.r][s.c - 1]) options[n++] = {s.r, s.c - 1};
        if (s.c < cols - 1 && !seen[s.r][s.c + 1]) options[n++] = {s.r, s.c + 1};
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        const Step t = options[rng.bounded(n)];
        if (t.r > s.r) walls[s.r][s.c] &= ~2;
        if (t.r < s.r) walls[t.r][t.c] &= ~2;
        if (t.c > s.c) walls[s.r][s.c] &= ~1;
        if (t.c < s.c) walls[t.r][t.c] &= ~1;
        seen[t.r][t.c] = true;
        stack.push_back(t);
    }

    // The route from the entrance (top left) to the exit (bottom right).
    std::vector<QPoint> route;
    {
        std::vector<std::vector<QPoint>> from(rows, std::vector<QPoint>(cols, QPoint(-1, -1)));
        std::vector<QPoint> queue{QPoint(0, 0)};
        from[0][0] = QPoint(0, 0);
        for (size_t i = 0; i < queue.size(); ++i) {
            const QPoint q = queue[i];
            const int r = q.y(), c = q.x();
            auto go = [&](int nr, int nc, bool open) {
                if (open && from[nr][nc].x() < 0) {
                    from[nr][nc] = q;
                    queue.push_back(QPoint(nc, nr));
                }
            };
            if (c < cols - 1) go(r, c + 1, !(walls[r][c] & 1));
            if (c > 0) go(r, c - 1, !(walls[r][c - 1] & 1));
            if (r < rows - 1) go(r + 1, c, !(walls[r][c] & 2));
            if (r > 0) go(r - 1, c, !(walls[r - 1][c] & 2));
        }
        for (QPoint q(cols - 1, rows - 1); ; q = from[q.y()][q.x()]) {
            route.push_back(q);
            if (q == QPoint(0, 0))
                break;
        }
    }

    const QRect area(origin, QSize(cols * cell, rows * cell));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0x40, 40));
    p.drawRect(area.adjusted(0, 0, 6, 6));
    p.setBrush(QColor(0xfd, 0xfb, 0xf2));
    p.drawRect(area.adjusted(-3, -3, 3, 3));

    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF path;
    for (auto it = route.rbegin(); it != route.rend(); ++it)
        path << QPointF(origin.x() + it->x() * cell + cell / 2.0, origin.y() + it->y() * cell + cell / 2.0);
    path.prepend(QPointF(path.first().x(), origin.y() - 3));
    path.append(QPointF(path.last().x(), area.bottom() + 4));
    p.setPen(QPen(QColor(0xe0, 0x40, 0x30, 170), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(path);
    p.setRenderHint(QPainter::Antialiasing, false);

    p.setPen(QPen(kNavy, 2, Qt::SolidLine, Qt::SquareCap));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int x = origin.x() + c * cell, y = origin.y() + r * cell;
            if ((walls[r][c] & 1) && !(r == rows - 1 && c == cols - 1))
                p.drawLine(x + cell, y, x + cell, y + cell);
            if ((walls[r][c] & 2) && !(r == rows - 1 && c == cols - 1))
                p.drawLine(x, y + cell, x + cell, y + cell);
        }
    // Outer walls with the entrance at the top left and the exit at the bottom right.
    p.drawLine(origin.x() + cell, origin.y(), area.right() + 1, origin.y());
    p.drawLine(origin.x(), origin.y(), origin.x(), area.bottom() + 1);
    p.drawLine(area.right() + 1, origin.y(), area.right() + 1, area.bottom() + 1 - cell);
    p.drawLine(origin.x(), area.bottom() + 1, area.right() + 1 - cell, area.bottom() + 1);
    p.restore();
}

// Small question marks and stars scattered over the paper.
void DrawSparkles(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(Font(QStringLiteral("Liberation Serif"), 22, true));
    const QPointF marks[] = {{30, 284}, {128, 244}, {470, 182}};
    p.setPen(QColor(0x00, 0x00, 0x62, 70));
    for (const QPointF& m : marks)
        p.drawText(QRectF(m.x() - 10, m.y() - 14, 20, 28), Qt::AlignCenter, QStringLiteral("?"));
    p.restore();
}

} // namespace

QImage MakeLauncherArtwork()
{
    QImage art(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&art);
    DrawBackground(p);
    DrawLetterGrid(p);
    DrawLetterTiles(p);
    DrawTilePicture(p);
    DrawCipherWheel(p);
    DrawCipherLine(p);
    DrawMaze(p);
    DrawSparkles(p);
    DrawMiddle(p);
    DrawFrame(p);
    DrawTitleStrip(p);
    return art;
}
