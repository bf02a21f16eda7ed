// make_appicons [folder]: draws the program's menu icon at every hicolor size into
// folder/hicolor/<n>x<n>/apps/example.oakhollow.brainloft.png (by default resources/appicons).
// Its output is committed; run it again only when the drawing changes.
//
// The icon is a navy tile holding four small tiles, one a puzzle type: letters for the word
// search, a path for the maze, a knob for the picture puzzle and a swapped letter for the
// cryptogram. Below 32 pixels the motifs would blur, so only the coloured tiles remain.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#ifndef BRAINLOFT_RESOURCES_DIR
#define BRAINLOFT_RESOURCES_DIR "."
#endif

namespace {

const char* const kIconName = "example.oakhollow.brainloft";
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Everything is drawn on a 256-unit square and scaled.
constexpr qreal kUnits = 256;

const QColor kNavy(0x10, 0x18, 0x6a);
const QColor kGold(0xe8, 0xc0, 0x48);

QFont LetterFont(qreal pixels)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(qMax(1, qRound(pixels)));
    font.setBold(true);
    return font;
}

void Tile(QPainter& p, const QRectF& r, const QColor& colour)
{
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, colour.lighter(125));
    shade.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRoundedRect(r, 14, 14);
}

void WordSearch(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::white);
    p.setFont(LetterFont(34));
    const char* letters = "BRAIN";
    for (int i = 0; i < 4; ++i)
        p.drawText(QRectF(r.left() + 6 + (i % 2) * 42, r.top() + 6 + (i / 2) * 42, 40, 40), Qt::AlignCenter,
                   QString(QLatin1Char(letters[i])));
    // A found word ringed, as the play window marks it.
    p.setPen(QPen(kGold, 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r.left() + 8, r.top() + 10, 80, 34), 17, 17);
}

void Maze(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const qreal x = r.left(), y = r.top();
    QPainterPath walls;
    walls.moveTo(x + 22, y + 14);
    walls.lineTo(x + 22, y + 82);
    walls.lineTo(x + 82, y + 82);
    walls.lineTo(x + 82, y + 36);
    walls.moveTo(x + 44, y + 14);
    walls.lineTo(x + 82, y + 14);
    walls.moveTo(x + 44, y + 36);
    walls.lineTo(x + 44, y + 60);
    walls.lineTo(x + 62, y + 60);
    p.drawPath(walls);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(x + 62, y + 36), 8, 8);
}

void Picture(QPainter& p, const QRectF& r)
{
    // One jigsaw-like piece with a knob on its right and a socket at its top.
    const qreal x = r.left() + 18, y = r.top() + 24, s = 52;
    QPainterPath piece;
    piece.moveTo(x, y);
    piece.lineTo(x + s * 0.36, y);
    piece.arcTo(QRectF(x + s * 0.36, y - 1, s * 0.28, s * 0.28), 180, 180);
    piece.lineTo(x + s, y);
    piece.lineTo(x + s, y + s * 0.36);
    piece.arcTo(QRectF(x + s - s * 0.02, y + s * 0.34, s * 0.32, s * 0.32), 90, -180);
    piece.lineTo(x + s, y + s);
    piece.lineTo(x, y + s);
    piece.closeSubpath();
    p.setPen(QPen(kNavy, 3));
    p.setBrush(Qt::white);
    p.drawPath(piece);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(x + s * 0.5, y + s * 0.6), 9, 9);
}

void Cryptogram(QPainter& p, const QRectF& r)
{
    p.setFont(LetterFont(44));
    p.setPen(Qt::white);
    p.drawText(QRectF(r.left() + 4, r.top() + 4, 46, 56), Qt::AlignCenter, QStringLiteral("Q"));
    p.setPen(kGold);
    p.drawText(QRectF(r.left() + 46, r.top() + 36, 46, 56), Qt::AlignCenter, QStringLiteral("E"));
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 40, r.top() + 72), QPointF(r.left() + 58, r.top() + 52));
}

QImage Draw(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / kUnits, size / kUnits);

    const QRectF card(8, 8, 240, 240);
    QLinearGradient back(card.topLeft(), card.bottomRight());
    back.setColorAt(0, kNavy.lighter(150));
    back.setColorAt(1, kNavy);
    p.setPen(QPen(kGold, size < 32 ? 0 : 6));
    if (size < 32)
        p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(card, 44, 44);

    const QColor colours[] = {QColor(0xd8, 0x40, 0x38), QColor(0x2e, 0x9a, 0x48), QColor(0xe0, 0x88, 0x20),
                              QColor(0x38, 0x78, 0xd8)};
    const qreal gap = size < 32 ? 20 : 14;
    const qreal cell = (240 - 3 * gap) / 2;
    for (int i = 0; i < 4; ++i) {
        const QRectF r(8 + gap + (i % 2) * (cell + gap), 8 + gap + (i / 2) * (cell + gap), cell, cell);
        Tile(p, r, colours[i]);
        if (size < 32)
            continue;
        p.save();
        p.translate(r.topLeft());
        p.scale(cell / 96, cell / 96);
        const QRectF unit(0, 0, 96, 96);
        switch (i) {
        case 0: WordSearch(p, unit); break;
        case 1: Maze(p, unit); break;
        case 2: Picture(p, unit); break;
        default: Cryptogram(p, unit); break;
        }
        p.restore();
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1])
                             : QStringLiteral(BRAINLOFT_RESOURCES_DIR "/appicons"));
    bool ok = true;
    for (int size : kSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        const QString path = root.filePath(folder + QStringLiteral("/%1.png").arg(QLatin1String(kIconName)));
        QImageWriter writer(path, "png");
        if (!root.mkpath(folder) || !writer.write(Draw(size))) {
            std::fprintf(stderr, "make_appicons: cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
