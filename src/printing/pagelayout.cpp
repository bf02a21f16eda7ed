#include "printing/pagelayout.h"

#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPaintEngine>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace printing {
namespace {

// One character as a text item of its own lays it out: its glyphs from the layout's origin, the
// advance that centres it, the box that decides whether such an item clips it to its cell, and
// the outline's bounds, which say whether that clip can cut any ink.
struct ShapedCharacter {
    QList<QGlyphRun> glyphs;
    qreal advance = 0;
    qreal naturalWidth = 0;
    qreal height = 0;
    QRectF outline;
};

// Positions as the text engine keeps them: 1/64 pixel, cut toward zero.
qreal inTextUnits(qreal v)
{
    return static_cast<int>(v * 64) / 64.0;
}

// The largest glyph, in device pixels, that Qt draws from its cache of rendered glyphs.
constexpr qreal kLargestReadyGlyph = 64;

// Glyphs gathered from many cells, drawn with one call per font.
class GlyphRuns {
public:
    void add(const QGlyphRun& glyphs, const QList<QPointF>& positions)
    {
        const QRawFont font = glyphs.rawFont();
        auto run = std::find_if(runs_.begin(), runs_.end(), [&](const Run& r) { return r.font == font; });
        if (run == runs_.end())
            run = runs_.insert(runs_.end(), Run{font, {}, {}});
        run->glyphs += glyphs.glyphIndexes();
        run->positions += positions;
    }
    void draw(QPainter& painter) const
    {
        const QTransform& device = painter.combinedTransform();
        const qreal scale = std::sqrt(std::abs(device.determinant()));
        for (const Run& run : runs_) {
            // Glyphs larger on a picture or a screen than Qt keeps ready are drawn by it as one
            // outline of the whole run, which takes long; each glyph's own outline, filled the
            // same way, gives the same pixels at once.
            if (painter.paintEngine()->type() == QPaintEngine::Raster && run.font.pixelSize() * scale > kLargestReadyGlyph) {
                painter.save();
                painter.setRenderHint(QPainter::Antialiasing, true);
                const QBrush ink = painter.pen().brush();
                for (int i = 0; i < run.glyphs.size(); ++i)
                    painter.fillPath(run.font.pathForGlyph(run.glyphs[i]).translated(run.positions[i]), ink);
                painter.restore();
                continue;
            }
            QGlyphRun glyphs;
            glyphs.setRawFont(run.font);
            glyphs.setGlyphIndexes(run.glyphs);
            glyphs.setPositions(run.positions);
            painter.drawGlyphRun(QPointF(0, 0), glyphs);
        }
    }

private:
    struct Run {
        QRawFont font;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<Run> runs_;
};

class CellLines {
public:
    // Draws a cell line: the glyphs that no clip can touch at once, then each glyph that its
    // cell's clip would cut, clipped to it.
    void draw(QPainter& painter, const PageItem& item)
    {
        painter.setFont(item.font);
        painter.setPen(item.colour);
        FontShapes& shapes = shapesOf(painter.font());
        // Ink this close to a clip edge may be touched by it: smoothing and hinting on the device.
        const QTransform& device = painter.combinedTransform();
        const qreal reach = 2 / std::max(std::min(std::abs(device.m11()), std::abs(device.m22())), 1e-6);
        GlyphRuns free;
        QList<std::pair<QRect, GlyphRuns>> clipped;
        for (int i = 0; i < item.text.size(); ++i) {
            const QChar c = item.text.at(i);
            if (c.category() == QChar::Other_Control)
                continue;
            auto found = shapes.characters.find(c.unicode());
            if (found == shapes.characters.end())
                found = shapes.characters.insert(c.unicode(), shape(shapes, c));
            const ShapedCharacter& shaped = *found;
            const QRect cell(item.rect.left() + i * item.cellPitch, item.rect.top(), item.rect.width(),
                             item.rect.height());
            const qreal top = (cell.height() - shaped.height) / 2;
            const QPointF origin(inTextUnits(cell.left() + (cell.width() - shaped.advance) / 2),
                                 inTextUnits(cell.top() + top));
            const QRectF bounds(cell.left() + (cell.width() - shaped.naturalWidth) / 2, cell.top() + top,
                                shaped.naturalWidth, shaped.height);
            const QRectF area(cell);
            const QRectF ink = shaped.outline.translated(origin);
            const bool clip = !area.contains(bounds) && !ink.isEmpty() &&
                              !area.adjusted(reach, reach, -reach, -reach).contains(ink);
            if (clip)
                clipped.append({cell, GlyphRuns()});
            for (const QGlyphRun& glyphs : shaped.glyphs) {
                QList<QPointF> positions = glyphs.positions();
                for (QPointF& position : positions)
                    position += origin;
                (clip ? clipped.last().second : free).add(glyphs, positions);
            }
        }
        free.draw(painter);
        // One clip a cell, as a text item of its own has it: viewers smooth the edge of a single
        // rectangle otherwise than that of several.
        for (const auto& [cell, glyphs] : clipped) {
            painter.save();
            painter.setClipRect(QRectF(cell), Qt::IntersectClip);
            glyphs.draw(painter);
            painter.restore();
        }
    }

private:
    // A font resolved for the device, its characters as shaped so far, and its unhinted outlines.
    struct FontShapes {
        QFont font;
        QRawFont outlines;
        QHash<char16_t, ShapedCharacter> characters;
    };

    FontShapes& shapesOf(const QFont& font)
    {
        for (FontShapes& known : fonts_)
            if (known.font == font)
                return known;
        // The outlines as a PDF keeps them; a device hints them by less than it smooths.
        QFont unhinted = font;
        unhinted.setHintingPreference(QFont::PreferNoHinting);
        fonts_.push_back(FontShapes{font, QRawFont::fromFont(unhinted), {}});
        return fonts_.back();
    }

    static ShapedCharacter shape(const FontShapes& shapes, QChar c)
    {
        const QFont& font = shapes.font;
        const QRawFont& outlines = shapes.outlines;
        ShapedCharacter shaped;
        QTextLayout layout(QString(c), font);
        QTextOption option;
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
        shaped.glyphs = layout.glyphRuns();
        // Glyphs of a fallback face have no outline here and are always clipped.
        for (const QGlyphRun& glyphs : shaped.glyphs) {
            if (glyphs.rawFont().familyName() != outlines.familyName() ||
                glyphs.rawFont().styleName() != outlines.styleName()) {
                shaped.outline = QRectF(-1e6, -1e6, 2e6, 2e6);
                continue;
            }
            // Unhinted boxes are rounded out to whole pixels: they hold the outline.
            for (int i = 0; i < glyphs.glyphIndexes().size(); ++i)
                shaped.outline |= outlines.boundingRect(glyphs.glyphIndexes().at(i)).translated(glyphs.positions().at(i));
        }
        shaped.advance = line.horizontalAdvance();
        shaped.naturalWidth = line.naturalTextWidth();
        shaped.height = line.ascent() + line.descent();
        return shaped;
    }

    // A few dozen shapes serve a whole page.
    std::vector<FontShapes> fonts_;
};

// A picture of one pixel a cell as filled rectangles over area: runs of a row joined, and runs
// repeated down the rows joined, so a wall or a route is a few rectangles.
void drawBlocks(QPainter& painter, const QImage& cells, const QRect& area, const QColor& background)
{
    if (cells.isNull() || area.isEmpty())
        return;
    const QImage image = cells.convertToFormat(QImage::Format_RGB32);
    const qreal cellWidth = static_cast<qreal>(area.width()) / image.width();
    const qreal cellHeight = static_cast<qreal>(area.height()) / image.height();
    const QRgb skip = background.rgb() | 0xFF000000u;

    struct Block {
        int left, right, top, bottom; // cells, right and bottom past the end
        QRgb colour;
    };
    std::vector<Block> done;
    std::vector<Block> open; // blocks that reached the row above
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::vector<Block> next;
        for (int x = 0; x < image.width();) {
            const QRgb colour = row[x] | 0xFF000000u;
            int end = x + 1;
            while (end < image.width() && (row[end] | 0xFF000000u) == colour)
                ++end;
            if (colour != skip) {
                auto above = std::find_if(open.begin(), open.end(), [&](const Block& b) {
                    return b.left == x && b.right == end && b.colour == colour;
                });
                if (above != open.end()) {
                    above->bottom = y + 1;
                    next.push_back(*above);
                    open.erase(above);
                } else {
                    next.push_back(Block{x, end, y, y + 1, colour});
                }
            }
            x = end;
        }
        done.insert(done.end(), open.begin(), open.end());
        open = std::move(next);
    }
    done.insert(done.end(), open.begin(), open.end());

    // All rectangles of a colour in one call: a PDF fills them as one shape.
    std::vector<std::pair<QRgb, QList<QRectF>>> colours;
    for (const Block& b : done) {
        auto same = std::find_if(colours.begin(), colours.end(), [&](const auto& c) { return c.first == b.colour; });
        if (same == colours.end())
            same = colours.insert(colours.end(), {b.colour, {}});
        same->second << QRectF(area.left() + b.left * cellWidth, area.top() + b.top * cellHeight,
                               (b.right - b.left) * cellWidth, (b.bottom - b.top) * cellHeight);
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const auto& [colour, rects] : colours) {
        painter.setBrush(QColor::fromRgb(colour));
        painter.drawRects(rects.constData(), static_cast<int>(rects.size()));
    }
    painter.restore();
}

} // namespace

const PageItem* PageLayout::find(const QString& name) const
{
    for (const PageItem& item : items)
        if (item.kind != PageItem::Kind::rectangle && item.kind != PageItem::Kind::line && item.name == name)
            return &item;
    return nullptr;
}

QRect FitPage(const QSize& pageSize, const QRect& printable)
{
    if (pageSize.isEmpty() || printable.isEmpty())
        return QRect(printable.topLeft(), QSize(0, 0));
    const QSize fitted = pageSize.scaled(printable.size(), Qt::KeepAspectRatio);
    return QRect(printable.topLeft(), fitted);
}

void RenderPage(QPainter& painter, const PageLayout& page, const QRect& printable)
{
    const QRect target = FitPage(page.size, printable);
    if (target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(static_cast<qreal>(target.width()) / page.size.width(),
                  static_cast<qreal>(target.height()) / page.size.height());
    painter.setClipRect(QRect(QPoint(0, 0), page.size));
    // Cells of a grid or a maze stay sharp edged, whatever the scale.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (page.background.isValid() && page.background != Qt::white)
        painter.fillRect(QRect(QPoint(0, 0), page.size), page.background);

    CellLines cellLines;
    for (const PageItem& item : page.items) {
        const bool clipped = item.clip.isValid();
        if (clipped) {
            painter.save();
            painter.setClipRect(item.clip, Qt::IntersectClip);
        }
        switch (item.kind) {
        case PageItem::Kind::rectangle:
            painter.fillRect(item.rect, item.colour);
            break;
        case PageItem::Kind::text: {
            if (item.text.isEmpty())
                break;
            if (item.cellPitch > 0) {
                cellLines.draw(painter, item);
                break;
            }
            painter.setFont(item.font);
            painter.setPen(item.colour);
            int flags = item.alignment;
            if (item.wordWrap)
                flags |= Qt::TextWordWrap;
            painter.drawText(item.rect, flags, item.text);
            break;
        }
        case PageItem::Kind::picture:
            if (item.image.isNull())
                break;
            if (item.stretch) {
                painter.drawImage(item.rect, item.image);
            } else {
                painter.save();
                painter.setClipRect(item.rect, Qt::IntersectClip);
                painter.drawImage(item.rect.topLeft(), item.image);
                painter.restore();
            }
            break;
        case PageItem::Kind::line:
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(item.colour, item.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawLine(item.line);
            painter.restore();
            break;
        case PageItem::Kind::blocks:
            drawBlocks(painter, item.image, item.rect, page.background.isValid() ? page.background : QColor(Qt::white));
            break;
        }
        if (clipped)
            painter.restore();
    }
    painter.restore();
}

QString CreditLine()
{
    return QStringLiteral("A Brainloft puzzle by Oakhollow");
}

} // namespace printing
