#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// A page's contents: texts, pictures, filled rectangles, lines and blocks of cells in the
// page's own units, in drawing order. One renderer draws it on a printer, into a PDF page, into
// a picture or on screen, each at its own resolution.
namespace printing {

struct PageItem {
    // blocks: image holds one pixel a cell, stretched over rect and drawn as filled rectangles
    // (cells of the page's background colour are left out), so it stays sharp at any size.
    enum class Kind { rectangle, text, picture, line, blocks };
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
    QLineF line;          // a line from end to end, with round caps, smoothed
    qreal penWidth = 1;   // a line's width
    QRect clip;           // when valid, nothing of the item is drawn outside it
};

struct PageLayout {
    QSize size;
    QColor background = Qt::white;
    QList<PageItem> items;

    // The first text, picture or blocks item named name; null when none.
    const PageItem* find(const QString& name) const;
};

// Where a page of pageSize lands in printable: scaled to fit with its proportions kept, at the
// top-left corner.
QRect FitPage(const QSize& pageSize, const QRect& printable);

// Draws page into printable on painter: texts as text in their fonts, lines and blocks as
// vectors, pictures unsmoothed.
void RenderPage(QPainter& painter, const PageLayout& page, const QRect& printable);

// The one credit line at the foot of every printed page.
QString CreditLine();

} // namespace printing
