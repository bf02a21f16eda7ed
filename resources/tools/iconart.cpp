// The 21 x 21 pictograms of the play windows' button strips, drawn at one or more pixels a unit
// (the @2x files serve denser screens).

#include "artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

constexpr int kSize = 21;
const QColor kInk(0x30, 0x30, 0x38);

// Pixels a unit of the drawings below.
int gScale = 1;

QImage Draw(const std::function<void(QPainter&)>& draw)
{
    QImage image(kSize * gScale, kSize * gScale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(gScale, gScale);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return image;
}

// A sheet of paper with a folded top-right corner.
void Page(QPainter& p, const QRectF& r)
{
    const qreal fold = 4;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xd0, 0xd0, 0xd8));
    p.drawPath(corner);
}

void Magnifier(QPainter& p, bool plus)
{
    p.setPen(QPen(QColor(0x50, 0x30, 0x18), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13.5, 13.5), QPointF(18.5, 18.5));
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(0xd8, 0xec, 0xff));
    p.drawEllipse(QPointF(8.5, 8.5), 6.5, 6.5);
    p.setPen(QPen(QColor(0x10, 0x30, 0x90), 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(5, 8.5), QPointF(12, 8.5));
    if (plus)
        p.drawLine(QPointF(8.5, 5), QPointF(8.5, 12));
}

QImage NewIcon()
{
    return Draw([](QPainter& p) {
        Page(p, QRectF(3.5, 2.5, 12, 16));
        // A spark in the corner: something fresh.
        QPainterPath star;
        const QPointF c(16, 5);
        for (int i = 0; i < 8; ++i) {
            const qreal radius = (i % 2) ? 1.6 : 4.5;
            const qreal angle = i * M_PI / 4 - M_PI / 2;
            const QPointF pt = c + QPointF(std::cos(angle), std::sin(angle)) * radius;
            i == 0 ? star.moveTo(pt) : star.lineTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0x90, 0x60, 0x00), 1));
        p.setBrush(QColor(0xff, 0xd0, 0x20));
        p.drawPath(star);
    });
}

QImage LoadIcon()
{
    return Draw([](QPainter& p) {
        const QColor edge(0x8a, 0x60, 0x10);
        p.setPen(QPen(edge, 1));
        p.setBrush(QColor(0xe0, 0xa8, 0x20));
        p.drawPolygon(QPolygonF({QPointF(1.5, 4.5), QPointF(7.5, 4.5), QPointF(9.5, 6.5),
                                 QPointF(16.5, 6.5), QPointF(16.5, 17.5), QPointF(1.5, 17.5)}));
        p.setBrush(QColor(0xfc, 0xd8, 0x60));
        p.drawPolygon(QPolygonF({QPointF(1.5, 17.5), QPointF(4.5, 9.5), QPointF(20, 9.5),
                                 QPointF(16.5, 17.5)}));
    });
}

QImage EditIcon()
{
    return Draw([](QPainter& p) {
        Page(p, QRectF(2.5, 1.5, 12, 16));
        p.setPen(QPen(QColor(0x90, 0x90, 0xa0), 1));
        for (int y = 6; y <= 14; y += 3)
            p.drawLine(QPointF(5, y + 0.5), QPointF(12, y + 0.5));
        // Pencil across the page, tip at the bottom left.
        p.translate(8, 18);
        p.rotate(-45);
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xf4, 0xc0, 0x30));
        p.drawRect(QRectF(4, -2, 11, 4));
        p.setBrush(QColor(0xf0, 0x88, 0x90));
        p.drawRect(QRectF(15, -2, 2.5, 4));
        p.setBrush(QColor(0xf0, 0xd8, 0xb0));
        p.drawPolygon(QPolygonF({QPointF(4, -2), QPointF(0, 0), QPointF(4, 2)}));
    });
}

QImage KeyIcon()
{
    return Draw([](QPainter& p) {
        const QColor gold(0xe8, 0xb8, 0x28), edge(0x7a, 0x5a, 0x10);
        QPainterPath key;
        key.addEllipse(QPointF(6, 10.5), 5, 5);
        key.addRect(QRectF(10, 9, 9.5, 3));
        key.addRect(QRectF(14, 12, 2, 3.5));
        key.addRect(QRectF(17.5, 12, 2, 4.5));
        key.setFillRule(Qt::WindingFill);
        QPainterPath hole;
        hole.addEllipse(QPointF(5, 10.5), 1.8, 1.8);
        p.setPen(QPen(edge, 1));
        p.setBrush(gold);
        p.drawPath(key.simplified().subtracted(hole));
    });
}

QImage PrintIcon()
{
    return Draw([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(kInk);
        p.setBrush(Qt::white);
        p.drawRect(5, 1, 10, 7);
        p.setBrush(QColor(0xa8, 0xac, 0xb8));
        p.drawRect(1, 7, 18, 8);
        p.setBrush(QColor(0x78, 0x7c, 0x88));
        p.drawRect(4, 12, 12, 3);
        p.setBrush(Qt::white);
        p.drawRect(5, 13, 10, 6);
        p.setPen(QColor(0x90, 0x90, 0xa0));
        p.drawLine(7, 15, 13, 15);
        p.drawLine(7, 17, 12, 17);
        p.fillRect(15, 9, 2, 2, QColor(0x30, 0xd0, 0x40));
    });
}

QImage OptionsIcon()
{
    return Draw([](QPainter& p) {
        const int knobs[3] = {5, 13, 9};
        for (int i = 0; i < 3; ++i) {
            const qreal y = 4.5 + i * 6;
            p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(2, y), QPointF(19, y));
            p.setPen(QPen(QColor(0x10, 0x30, 0x90), 1));
            p.setBrush(QColor(0x50, 0x90, 0xf0));
            p.drawRoundedRect(QRectF(knobs[i] - 2.5, y - 3.5, 5, 7), 1.5, 1.5);
        }
    });
}

QImage MusicIcon()
{
    return Draw([](QPainter& p) {
        const QColor note(0x20, 0x20, 0x70);
        p.setPen(Qt::NoPen);
        p.setBrush(note);
        // Two quavers joined by a beam.
        p.save();
        p.translate(5, 16);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), 3.4, 2.4);
        p.restore();
        p.save();
        p.translate(15, 14);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), 3.4, 2.4);
        p.restore();
        p.setPen(QPen(note, 1.6));
        p.drawLine(QPointF(7.8, 15), QPointF(7.8, 4));
        p.drawLine(QPointF(17.8, 13), QPointF(17.8, 2));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(7, 3.5), QPointF(18.6, 1.5), QPointF(18.6, 5), QPointF(7, 7)}));
    });
}

QImage NextIcon()
{
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(0x10, 0x60, 0x20), 1));
        p.setBrush(QColor(0x40, 0xb8, 0x50));
        p.drawPolygon(QPolygonF({QPointF(1.5, 4.5), QPointF(9, 10.5), QPointF(1.5, 16.5)}));
        p.drawPolygon(QPolygonF({QPointF(9, 4.5), QPointF(16.5, 10.5), QPointF(9, 16.5)}));
        p.drawRect(QRectF(16.5, 4.5, 3, 12));
    });
}

QImage InstructionsIcon()
{
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(0x10, 0x30, 0x90), 1));
        p.setBrush(QColor(0x38, 0x78, 0xe0));
        p.drawEllipse(QPointF(10.5, 10.5), 9.5, 9.5);
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(16);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 1, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QImage CloseIcon()
{
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(0x80, 0x10, 0x10), 1));
        p.setBrush(QColor(0xe0, 0x38, 0x30));
        p.drawEllipse(QPointF(10.5, 10.5), 9.5, 9.5);
        p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6.5, 6.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 6.5), QPointF(6.5, 14.5));
    });
}

} // namespace

std::vector<NamedPicture> MakeIcons(int scale)
{
    gScale = scale;
    return {
        {QStringLiteral("new"), NewIcon()},
        {QStringLiteral("load"), LoadIcon()},
        {QStringLiteral("edit"), EditIcon()},
        {QStringLiteral("key"), KeyIcon()},
        {QStringLiteral("print"), PrintIcon()},
        {QStringLiteral("smaller"), Draw([](QPainter& p) { Magnifier(p, false); })},
        {QStringLiteral("larger"), Draw([](QPainter& p) { Magnifier(p, true); })},
        {QStringLiteral("options"), OptionsIcon()},
        {QStringLiteral("music"), MusicIcon()},
        {QStringLiteral("next"), NextIcon()},
        {QStringLiteral("instructions"), InstructionsIcon()},
        {QStringLiteral("close"), CloseIcon()},
    };
}
