#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// A page window's contents as the printer sees them: texts, pictures and filled rectangles in
// the window's own pixels, in drawing order. One renderer draws it on a printer, into a PDF page
// or into a picture.
namespace printing {

struct PageItem {
    enum class Kind { rectangle, text, picture };
    Kind kind = Kind::rectangle;
    QString name;   // the control's objectName, for tests and tools
    QRect rect;     // in page pixels
    QColor colour;  // fill of a rectangle, ink of a text
    QString text;
    QFont font;     // sized in pixels
    int alignment = 0;
    // A text item with cellPitch > 0 is a line of cells drawn with one font and pen: character i
    // lands exactly where a text item of its own, centred in rect moved right by i * cellPitch,
    // would put it (clipped to that cell where such an item clips). Control characters are
    // empty cells.
    int cellPitch = 0;
    bool wordWrap = false;
    QImage image;
    bool stretch = false; // the picture fills rect; otherwise it sits at rect's top-left, clipped
};

struct PageLayout {
    QSize size;
    QColor background = Qt::white;
    QList<PageItem> items;

    // The first text or picture item named name; null when none.
    const PageItem* find(const QString& name) const;
};

// Where a page of pageSize lands in printable: scaled to fit with its proportions kept, at the
// top-left corner.
QRect FitPage(const QSize& pageSize, const QRect& printable);

// Draws page into printable on painter: texts as text in their fonts, pictures unsmoothed.
void RenderPage(QPainter& painter, const PageLayout& page, const QRect& printable);

// The one credit line at the foot of every printed page.
QString CreditLine();

} // namespace printing
