// 32 x 32 cursor pictures for the names that have no fitting standard shape, drawn at one or more
// pixels a unit (the @2x files serve denser screens). Every picture gets a white halo one unit
// wide so it shows on dark pictures too.

#include "artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

constexpr int kSize = 32;
const QColor kOutline(0x10, 0x10, 0x10);

using Drawing = std::function<void(QPainter&)>;

// Pixels a unit of the drawings below.
int gScale = 1;

// White wherever a transparent pixel lies within one unit of an opaque one.
void AddHalo(QImage& image)
{
    const QImage source = image.copy();
    const int side = image.width();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (qAlpha(source.pixel(x, y)) > 0)
                continue;
            bool touches = false;
            for (int dy = -gScale; dy <= gScale && !touches; ++dy)
                for (int dx = -gScale; dx <= gScale && !touches; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    touches = nx >= 0 && ny >= 0 && nx < side && ny < side
                              && qAlpha(source.pixel(nx, ny)) > 128;
                }
            if (touches)
                image.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
}

CursorPicture Make(const QString& name, QPoint hotSpot, const Drawing& draw)
{
    QImage image(kSize * gScale, kSize * gScale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.scale(gScale, gScale);
        p.setRenderHint(QPainter::Antialiasing);
        // Hatched swatches keep their spacing in units.
        p.setRenderHint(QPainter::NonCosmeticBrushPatterns);
        draw(p);
    }
    AddHalo(image);
    return {name, image, hotSpot * gScale};
}

void Shape(QPainter& p, const QPainterPath& path, const QColor& fill)
{
    p.setPen(QPen(kOutline, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath Polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath Rect(qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

// Draws a tool lying along +x from its working tip at the origin, placed with
// the tip at `tip` and turned so that it points down to the left.
void Tool(QPainter& p, QPointF tip, const Drawing& along)
{
    p.save();
    p.translate(tip);
    p.rotate(-45);
    along(p);
    p.restore();
}

// The small crosshair that marks the exact point of a shape tool.
void Crosshair(QPainter& p, QPointF c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kOutline);
    p.drawLine(QPointF(c.x() - 7, c.y()), QPointF(c.x() - 2, c.y()));
    p.drawLine(QPointF(c.x() + 2, c.y()), QPointF(c.x() + 7, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 7), QPointF(c.x(), c.y() - 2));
    p.drawLine(QPointF(c.x(), c.y() + 2), QPointF(c.x(), c.y() + 7));
    p.drawPoint(c);
    p.restore();
}

// The plain arrow pointer with its tip at (1, 1).
void Pointer(QPainter& p)
{
    Shape(p, Polygon({{1.5, 1.5}, {1.5, 17.5}, {5.5, 13.5}, {8.5, 20}, {11, 19}, {8, 12.5}, {13.5, 12.5}}),
          Qt::white);
}

// A red "not allowed" badge.
void NoBadge(QPainter& p, QPointF c)
{
    p.save();
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0xd0, 0x10, 0x10), 2.2));
    p.drawEllipse(c, 5.5, 5.5);
    p.drawLine(c + QPointF(-3.8, 3.8), c + QPointF(3.8, -3.8));
    p.restore();
}

// The pictures of the tools themselves, each drawn along +x from its tip.
void Pencil(QPainter& p)
{
    Shape(p, Polygon({{0, 0}, {6, -3}, {6, 3}}), QColor(0xf0, 0xd4, 0xa8));
    Shape(p, Polygon({{0, 0}, {2.5, -1.2}, {2.5, 1.2}}), kOutline);
    Shape(p, Rect(6, -3, 16, 6), QColor(0xf4, 0xc0, 0x20));
    Shape(p, Rect(22, -3, 3, 6), QColor(0xb0, 0xb0, 0xb8));
    Shape(p, Rect(25, -3, 4, 6), QColor(0xf0, 0x88, 0x90));
}

void FountainPen(QPainter& p)
{
    Shape(p, Polygon({{0, 0}, {5, -3}, {9, -3.5}, {9, 3.5}, {5, 3}}), QColor(0xd8, 0xd8, 0xe0));
    p.setPen(kOutline);
    p.drawLine(QPointF(0.5, 0), QPointF(6, 0));
    Shape(p, Rect(9, -3.5, 4, 7), QColor(0x28, 0x28, 0x28));
    Shape(p, Polygon({{13, -4}, {28, -4}, {30, -2}, {30, 2}, {28, 4}, {13, 4}}), QColor(0x20, 0x40, 0xa8));
    Shape(p, Rect(17, -5.5, 10, 1.5), QColor(0xe0, 0xc0, 0x40));
}

void Brush(QPainter& p)
{
    QPainterPath tuft;
    tuft.moveTo(0, 0);
    tuft.cubicTo(2, -2, 5, -4, 9, -3.5);
    tuft.lineTo(9, 3.5);
    tuft.cubicTo(5, 4, 2, 2, 0, 0);
    Shape(p, tuft, QColor(0xc0, 0x30, 0x30));
    Shape(p, Rect(9, -3, 5, 6), QColor(0xc8, 0xc8, 0xd0));
    Shape(p, Polygon({{14, -2.5}, {30, -1.5}, {30, 1.5}, {14, 2.5}}), QColor(0xa0, 0x60, 0x28));
}

void Crayon(QPainter& p)
{
    const QColor wax(0x30, 0x80, 0xe0);
    Shape(p, Polygon({{0, -1.5}, {6, -4.5}, {6, 4.5}, {0, 1.5}}), wax);
    Shape(p, Rect(6, -4.5, 22, 9), wax);
    Shape(p, Rect(10, -4.5, 14, 9), QColor(0xf8, 0xf0, 0xd8));
    p.setPen(QPen(wax, 1));
    p.drawLine(QPointF(12, 0), QPointF(22, 0));
}

void Marker(QPainter& p)
{
    const QColor ink(0x20, 0xa0, 0x40);
    Shape(p, Polygon({{0, -2.5}, {4, -3}, {4, 3}, {0, 1}}), ink);
    Shape(p, Polygon({{4, -3}, {8, -5}, {8, 5}, {4, 3}}), QColor(0x50, 0x50, 0x58));
    Shape(p, Rect(8, -5, 21, 10), Qt::white);
    Shape(p, Rect(8, -5, 5, 10), ink);
    Shape(p, Rect(26, -5, 3, 10), ink);
}

void Eyedropper(QPainter& p)
{
    Shape(p, Polygon({{0, 0}, {3, -1.5}, {13, -1.5}, {13, 1.5}, {3, 1.5}}), QColor(0xe0, 0xf0, 0xff));
    Shape(p, Rect(3.5, -0.8, 6, 1.6), QColor(0x30, 0x60, 0xe0));
    Shape(p, Rect(13, -4, 3, 8), QColor(0x50, 0x50, 0x58));
    QPainterPath bulb;
    bulb.addRoundedRect(16, -3.5, 12, 7, 3.5, 3.5);
    Shape(p, bulb, QColor(0x30, 0x30, 0x38));
}

void Bucket(QPainter& p, QPointF drip)
{
    // Paint running out of the tipped bucket down to the hot spot.
    QPainterPath paint;
    paint.moveTo(drip);
    paint.cubicTo(drip + QPointF(-1.5, -4), drip + QPointF(1, -9), drip + QPointF(5, -12));
    paint.lineTo(drip + QPointF(8, -10));
    paint.cubicTo(drip + QPointF(4, -8), drip + QPointF(2, -4), drip + QPointF(1.5, 0));
    paint.closeSubpath();
    Shape(p, paint, QColor(0x20, 0x70, 0xe0));

    p.save();
    p.translate(drip + QPointF(15, -11));
    p.rotate(-35);
    QPainterPath body = Polygon({{-8, -6}, {8, -6}, {6, 10}, {-6, 10}});
    Shape(p, body, QColor(0xc8, 0xcc, 0xd8));
    QPainterPath rim;
    rim.addEllipse(QPointF(0, -6), 8, 2.5);
    Shape(p, rim, QColor(0x20, 0x70, 0xe0));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-9, -16, 18, 18), 0, 180 * 16);
    p.restore();
}

void Magnifier(QPainter& p, int sign)
{
    p.setPen(QPen(kOutline, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(27, 27));
    p.setPen(QPen(QColor(0x80, 0x50, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 19.5), QPointF(26.5, 26.5));
    p.setPen(QPen(kOutline, 2.5));
    p.setBrush(QColor(0xe0, 0xf0, 0xff, 230));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::FlatCap));
    if (sign != 0)
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
    if (sign > 0)
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
}

void Swatch(QPainter& p, Qt::BrushStyle style)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(15, 15, 15, 15, Qt::white);
    p.setBrush(QBrush(kOutline, style));
    p.setPen(kOutline);
    p.drawRect(15, 15, 15, 15);
    p.restore();
}

void Arrow(QPainter& p, qreal angle)
{
    p.save();
    // Aliased: a hard outline stays crisp along the diagonals.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(16, 16);
    p.rotate(angle);
    Shape(p, Polygon({{0, -13}, {9, -3}, {3.5, -3}, {3.5, 11}, {-3.5, 11}, {-3.5, -3}, {-9, -3}}),
          Qt::white);
    p.restore();
}

std::vector<CursorPicture> ToolCursors()
{
    const QPoint tip(2, 29);
    const QPointF tipF(2.5, 29.5);
    return {
        Make("draw", tip, [&](QPainter& p) { Tool(p, tipF, Pencil); }),
        Make("pen", tip, [&](QPainter& p) { Tool(p, tipF, FountainPen); }),
        Make("brush", tip, [&](QPainter& p) { Tool(p, tipF, Brush); }),
        Make("crayon", tip, [&](QPainter& p) { Tool(p, tipF, Crayon); }),
        Make("marker", tip, [&](QPainter& p) { Tool(p, tipF, Marker); }),
        Make("eraser", QPoint(3, 27), [](QPainter& p) {
            p.translate(3.5, 27.5);
            p.rotate(-35);
            Shape(p, Rect(0, -10, 9, 10), QColor(0xf0, 0x90, 0xa0));
            Shape(p, Rect(9, -10, 14, 10), QColor(0x40, 0x70, 0xd0));
            Shape(p, Rect(13, -10, 6, 10), Qt::white);
        }),
        Make("fill", QPoint(3, 29), [](QPainter& p) { Bucket(p, QPointF(3.5, 29.5)); }),
        Make("spray", QPoint(6, 6), [](QPainter& p) {
            const QPointF dots[] = {{6, 6}, {3, 4}, {8, 2}, {4, 9}, {10, 7}, {2, 1}, {1, 7}, {7, 11},
                                    {11, 3}, {5, 1}};
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xd0, 0x20, 0x60));
            for (const QPointF& d : dots)
                p.drawEllipse(d + QPointF(0.5, 0.5), 0.9, 0.9);
            p.translate(22, 22);
            p.rotate(-45);
            QPainterPath can;
            can.addRoundedRect(-5, -4, 10, 15, 2, 2);
            Shape(p, can, QColor(0xd0, 0x20, 0x60));
            Shape(p, Rect(-3, -8, 6, 4), QColor(0xc0, 0xc0, 0xc8));
            Shape(p, Rect(-1.5, -11, 3, 3), QColor(0x30, 0x30, 0x30));
            Shape(p, Rect(-5, 1, 10, 4), Qt::white);
        }),
        Make("roller", QPoint(12, 5), [](QPainter& p) {
            QPainterPath roller;
            roller.addRoundedRect(2.5, 1.5, 19, 8, 2, 2);
            Shape(p, roller, QColor(0xf0, 0xb0, 0x30));
            p.setPen(QPen(kOutline, 1.6));
            p.setBrush(Qt::NoBrush);
            QPainterPath wire;
            wire.moveTo(21.5, 5.5);
            wire.lineTo(25.5, 5.5);
            wire.lineTo(25.5, 13.5);
            wire.lineTo(14.5, 14.5);
            wire.lineTo(14.5, 18);
            p.drawPath(wire);
            QPainterPath handle;
            handle.addRoundedRect(12, 18, 5, 12, 2, 2);
            Shape(p, handle, QColor(0x30, 0x30, 0x38));
        }),
        Make("pick", tip, [&](QPainter& p) { Tool(p, tipF, Eyedropper); }),
        Make("magnify", QPoint(12, 12), [](QPainter& p) { Magnifier(p, 0); }),
        Make("zoomin", QPoint(12, 12), [](QPainter& p) { Magnifier(p, 1); }),
        Make("zoomout", QPoint(12, 12), [](QPainter& p) { Magnifier(p, -1); }),
    };
}

std::vector<CursorPicture> ShapeCursors()
{
    const QPoint cross(8, 8);
    const QPointF crossF(8, 8);
    auto withSwatch = [&](const char* name, Qt::BrushStyle style) {
        return Make(name, cross, [=](QPainter& p) {
            Crosshair(p, crossF);
            Swatch(p, style);
        });
    };
    auto withOutline = [&](const char* name, const std::function<void(QPainter&)>& outline) {
        return Make(name, cross, [=](QPainter& p) {
            Crosshair(p, crossF);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(QPen(kOutline, 2));
            p.setBrush(Qt::NoBrush);
            outline(p);
        });
    };
    return {
        withSwatch("fills", Qt::SolidPattern),
        withSwatch("filldl", Qt::BDiagPattern),
        withSwatch("filldr", Qt::FDiagPattern),
        withSwatch("fillcd", Qt::DiagCrossPattern),
        withSwatch("fillc", Qt::CrossPattern),
        withSwatch("fillh", Qt::HorPattern),
        withSwatch("fillv", Qt::VerPattern),
        withOutline("circle", [](QPainter& p) { p.drawEllipse(QRect(15, 15, 14, 14)); }),
        withOutline("square", [](QPainter& p) { p.drawRect(QRect(15, 15, 14, 14)); }),
        withOutline("rndrect", [](QPainter& p) { p.drawRoundedRect(QRect(14, 16, 16, 12), 4, 4); }),
        withOutline("line2", [](QPainter& p) { p.drawLine(QPoint(15, 29), QPoint(29, 15)); }),
    };
}

void ReplacePicture(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kOutline);
    p.setBrush(QColor(0xe0, 0x30, 0x30));
    p.drawRect(14, 14, 8, 8);
    p.setBrush(QColor(0x30, 0x70, 0xe0));
    p.drawRect(21, 21, 8, 8);
    p.restore();
    p.setPen(QPen(kOutline, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(18, 9, 12, 12), 10 * 16, 120 * 16);
    Shape(p, Polygon({{29.5, 12}, {30, 17}, {26, 15}}), kOutline);
}

std::vector<CursorPicture> OtherCursors()
{
    const QPoint pointerTip(1, 1);
    const QPointF tipF(2.5, 29.5);
    return {
        Make("noedit", QPoint(9, 15), [](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(9, 5, 9, 25);
            p.drawLine(5, 4, 8, 4);
            p.drawLine(11, 4, 14, 4);
            p.drawLine(5, 26, 8, 26);
            p.drawLine(11, 26, 14, 26);
            p.setRenderHint(QPainter::Antialiasing);
            NoBadge(p, QPointF(22, 23));
        }),
        Make("props", pointerTip, [](QPainter& p) {
            Pointer(p);
            Shape(p, Rect(15.5, 14.5, 13, 15), Qt::white);
            Shape(p, Rect(15.5, 14.5, 13, 3), QColor(0x20, 0x40, 0xa0));
            p.setPen(QColor(0x60, 0x60, 0x70));
            for (int y = 21; y <= 27; y += 3)
                p.drawLine(QPointF(18, y + 0.5), QPointF(26, y + 0.5));
        }),
        Make("delete", pointerTip, [](QPainter& p) {
            Pointer(p);
            p.setPen(QPen(kOutline, 5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(17, 17), QPointF(27, 27));
            p.drawLine(QPointF(27, 17), QPointF(17, 27));
            p.setPen(QPen(QColor(0xe0, 0x20, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(17, 17), QPointF(27, 27));
            p.drawLine(QPointF(27, 17), QPointF(17, 27));
        }),
        Make("nofill", QPoint(3, 29), [](QPainter& p) {
            Bucket(p, QPointF(3.5, 29.5));
            NoBadge(p, QPointF(24.5, 24.5));
        }),
        Make("noreplace", QPoint(8, 8), [](QPainter& p) {
            Crosshair(p, QPointF(8, 8));
            ReplacePicture(p);
            NoBadge(p, QPointF(25, 8));
        }),
        Make("nopick", QPoint(2, 29), [&](QPainter& p) {
            Tool(p, tipF, Eyedropper);
            NoBadge(p, QPointF(24.5, 24.5));
        }),
        Make("replace", QPoint(8, 8), [](QPainter& p) {
            Crosshair(p, QPointF(8, 8));
            ReplacePicture(p);
        }),
    };
}

QPainterPath RoundedRect(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(x, y, w, h, r, r);
    return path;
}

// The palm and the wrist of both hands, seen from the back; its outline leaves the top open
// so that the fingers join it.
QPainterPath Palm(bool outline)
{
    QPainterPath palm;
    palm.moveTo(25.5, outline ? 15.5 : 14.5);
    palm.lineTo(25.5, 21);
    palm.cubicTo(25.5, 25, 23.5, 26.5, 22.5, 28.5);
    palm.lineTo(12.5, 28.5);
    palm.cubicTo(11, 26, 9.5, 24, 9.5, outline ? 20 : 14.5);
    if (!outline)
        palm.closeSubpath();
    return palm;
}

void FillPalm(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(Palm(false));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Palm(true));
}

// An open hand: the picture can be taken hold of.
void OpenHand(QPainter& p)
{
    const QPainterPath thumb = QTransform().translate(11, 22).rotate(-50).map(RoundedRect(-2.5, -12, 5, 14, 2.5));
    Shape(p, thumb, Qt::white);
    const qreal tops[4] = {5.5, 3.5, 4.5, 7.5};
    for (int i = 0; i < 4; ++i)
        Shape(p, RoundedRect(9.5 + i * 4, tops[i], 4, 20 - tops[i], 2), Qt::white);
    FillPalm(p);
}

// A closed hand: the picture is held and moves with the mouse.
void ClosedHand(QPainter& p)
{
    Shape(p, RoundedRect(5.5, 15.5, 9, 5, 2.5), Qt::white); // the thumb along the curled fingers
    for (int i = 0; i < 4; ++i)
        Shape(p, RoundedRect(9.5 + i * 4, 10.5, 4, 9, 2), Qt::white);
    FillPalm(p);
}

std::vector<CursorPicture> HandCursors()
{
    return {
        Make("grab", QPoint(17, 16), OpenHand),
        Make("move", QPoint(17, 18), ClosedHand),
    };
}

std::vector<CursorPicture> MoveCursors()
{
    const char* names[8] = {"moveu", "moveur", "mover", "movedr", "moved", "movedl", "movel", "moveul"};
    std::vector<CursorPicture> cursors;
    for (int i = 0; i < 8; ++i)
        cursors.push_back(Make(names[i], QPoint(16, 16), [i](QPainter& p) { Arrow(p, i * 45.0); }));
    return cursors;
}

} // namespace

std::vector<CursorPicture> MakeCursors(int scale)
{
    gScale = scale;
    std::vector<CursorPicture> all = ToolCursors();
    for (auto* part : {&ShapeCursors, &OtherCursors, &HandCursors, &MoveCursors})
        for (CursorPicture& c : (*part)())
            all.push_back(std::move(c));
    return all;
}
