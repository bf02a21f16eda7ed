#include "shell/cursortable.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QtMath>

namespace {

struct Entry {
    const char* name;
    Qt::CursorShape shape;
};

// Standard shapes stand in wherever a picture is missing; for the pointing and
// picking-up hands, the drag cursors, the I-beam and the plain cross they are all
// there is.
constexpr Entry kEntries[CursorTable::Count] = {
    {"hand", Qt::PointingHandCursor},   {"draw", Qt::CrossCursor},
    {"pen", Qt::CrossCursor},           {"brush", Qt::CrossCursor},
    {"crayon", Qt::CrossCursor},        {"marker", Qt::CrossCursor},
    {"eraser", Qt::CrossCursor},        {"fill", Qt::CrossCursor},
    {"spray", Qt::CrossCursor},         {"roller", Qt::CrossCursor},
    {"pick", Qt::CrossCursor},          {"magnify", Qt::CrossCursor},
    {"zoomin", Qt::CrossCursor},        {"zoomout", Qt::CrossCursor},
    {"grab", Qt::OpenHandCursor},       {"move", Qt::SizeAllCursor},
    {"pickup", Qt::ClosedHandCursor},   {"drop", Qt::DragMoveCursor},
    {"multidrop", Qt::DragCopyCursor},  {"edit", Qt::IBeamCursor},
    {"noedit", Qt::ForbiddenCursor},    {"props", Qt::ArrowCursor},
    {"delete", Qt::ForbiddenCursor},    {"line", Qt::CrossCursor},
    {"fills", Qt::CrossCursor},         {"filldl", Qt::CrossCursor},
    {"filldr", Qt::CrossCursor},        {"fillcd", Qt::CrossCursor},
    {"fillc", Qt::CrossCursor},         {"fillh", Qt::CrossCursor},
    {"fillv", Qt::CrossCursor},         {"circle", Qt::CrossCursor},
    {"square", Qt::CrossCursor},        {"rndrect", Qt::CrossCursor},
    {"line2", Qt::CrossCursor},         {"nofill", Qt::ForbiddenCursor},
    {"noreplace", Qt::ForbiddenCursor}, {"nopick", Qt::ForbiddenCursor},
    {"replace", Qt::CrossCursor},       {"moveu", Qt::SizeVerCursor},
    {"moveur", Qt::SizeBDiagCursor},    {"mover", Qt::SizeHorCursor},
    {"movedr", Qt::SizeFDiagCursor},    {"moved", Qt::SizeVerCursor},
    {"movedl", Qt::SizeBDiagCursor},    {"movel", Qt::SizeHorCursor},
    {"moveul", Qt::SizeFDiagCursor},
};

bool InRange(int index)
{
    return index >= 1 && index <= CursorTable::Count;
}

// "x,y" inside the picture, in its pixels; its centre otherwise.
QPoint HotSpot(const QImage& image)
{
    const QStringList parts = image.text(QStringLiteral("hotspot")).split(QLatin1Char(','));
    if (parts.size() == 2) {
        bool okX = false, okY = false;
        const int x = parts[0].trimmed().toInt(&okX);
        const int y = parts[1].trimmed().toInt(&okY);
        if (okX && okY && image.rect().contains(x, y))
            return {x, y};
    }
    return {image.width() / 2, image.height() / 2};
}

QImage ReadPicture(const QString& path)
{
    QImageReader reader(path, "png");
    return reader.read();
}

// A cursor for a screen of the given pixel ratio from a picture drawn at sourceRatio pixels a
// unit: resized to the screen's pixels when they differ. Qt's X11 cursors take the hot spot in
// the screen's pixels, other platforms in units.
QCursor MakeCursor(const QImage& image, qreal sourceRatio, qreal ratio)
{
    const QPoint hot = HotSpot(image);
    if (ratio == sourceRatio && ratio == 1)
        return QCursor(QPixmap::fromImage(image), hot.x(), hot.y());
    const int side = qRound(image.width() / sourceRatio * ratio);
    QPixmap pixmap = QPixmap::fromImage(
        side == image.width() ? image : image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    const bool inScreenPixels = QGuiApplication::platformName() == QLatin1String("xcb");
    const QPointF spot = QPointF(hot) / sourceRatio * (inScreenPixels ? ratio : 1);
    return QCursor(pixmap, qFloor(spot.x()), qFloor(spot.y()));
}

} // namespace

const QStringList& CursorTable::names()
{
    static const QStringList list = [] {
        QStringList l;
        for (const Entry& e : kEntries)
            l << QString::fromLatin1(e.name);
        return l;
    }();
    return list;
}

Qt::CursorShape CursorTable::fallbackShape(int index)
{
    return InRange(index) ? kEntries[index - 1].shape : Qt::ArrowCursor;
}

CursorTable::CursorTable()
{
    for (int i = 1; i <= Count; ++i)
        cursors_[i - 1] = QCursor(fallbackShape(i));
}

void CursorTable::load(const QString& folder)
{
    pendingFolder_.clear();
    for (int i = 1; i <= Count; ++i)
        cursors_[i - 1] = QCursor(fallbackShape(i));
    // Pixmaps cannot exist without a GUI application.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;

    // A denser screen takes the pictures drawn twice as large.
    const qreal ratio = qGuiApp->devicePixelRatio();
    for (int i = 1; i <= Count; ++i) {
        const QString base = folder + QLatin1Char('/') + names()[i - 1];
        qreal sourceRatio = 2;
        QImage image = ratio > 1 ? ReadPicture(base + QStringLiteral("@2x.png")) : QImage();
        if (image.isNull()) {
            sourceRatio = 1;
            image = ReadPicture(base + QStringLiteral(".png"));
        }
        if (!image.isNull())
            cursors_[i - 1] = MakeCursor(image, sourceRatio, ratio);
    }
}

void CursorTable::loadPending() const
{
    if (pendingFolder_.isEmpty())
        return;
    const QString folder = pendingFolder_;
    pendingFolder_.clear();
    const_cast<CursorTable*>(this)->load(folder);
}

QCursor CursorTable::cursor(int index) const
{
    loadPending();
    return InRange(index) ? cursors_[index - 1] : QCursor(Qt::ArrowCursor);
}

int CursorTable::indexOf(const QString& name) const
{
    for (int i = 1; i <= Count; ++i)
        if (names()[i - 1].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

void CursorTable::set(int index, const QCursor& cursor)
{
    loadPending();
    if (InRange(index))
        cursors_[index - 1] = cursor;
}
