#include "shell/cursortable.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>

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

// "x,y" inside the picture, or (-1, -1), which QCursor takes as the centre.
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
    return {-1, -1};
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
    for (int i = 1; i <= Count; ++i)
        cursors_[i - 1] = QCursor(fallbackShape(i));
    // Pixmaps cannot exist without a GUI application.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;

    for (int i = 1; i <= Count; ++i) {
        QImageReader reader(folder + QLatin1Char('/') + names()[i - 1] + QStringLiteral(".png"), "png");
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        const QPoint hot = HotSpot(image);
        cursors_[i - 1] = QCursor(QPixmap::fromImage(image), hot.x(), hot.y());
    }
}

QCursor CursorTable::cursor(int index) const
{
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
    if (InRange(index))
        cursors_[index - 1] = cursor;
}
