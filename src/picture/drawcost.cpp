#include "picture/drawcost.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <algorithm>

namespace picture {

class DrawCostEngine : public QPaintEngine {
public:
    explicit DrawCostEngine(QSize size)
        : QPaintEngine(AllFeatures), device_(QPointF(0, 0), QSizeF(size))
    {
    }

    double cost() const { return cost_; }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyTransform)
            transform_ = state.transform();
        if (state.state() & DirtyPen)
            pen_ = std::max(1.0, state.pen().widthF());
    }

    void drawPath(const QPainterPath& path) override { charge(path.controlPointRect()); }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            charge(rects[i]);
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            charge(QRectF(rects[i]));
    }
    void drawEllipse(const QRectF& rect) override { charge(rect); }
    void drawEllipse(const QRect& rect) override { charge(QRectF(rect)); }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            charge(QRectF(lines[i].p1(), lines[i].p2()).normalized());
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            charge(QRectF(QPointF(lines[i].p1()), QPointF(lines[i].p2())).normalized());
    }
    void drawPoints(const QPointF*, int count) override { cost_ += 64.0 * std::max(0, count); }
    void drawPoints(const QPoint*, int count) override { cost_ += 64.0 * std::max(0, count); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        if (count > 0)
            charge(QPolygonF(QList<QPointF>(points, points + count)).boundingRect(), count);
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode) override
    {
        if (count > 0)
            charge(QRectF(QPolygon(QList<QPoint>(points, points + count)).boundingRect()), count);
    }
    void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override { charge(rect); }
    void drawTiledPixmap(const QRectF& rect, const QPixmap&, const QPointF&) override { charge(rect); }
    void drawImage(const QRectF& rect, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override
    {
        charge(rect, 0, double(image.width()) * image.height());
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        charge(QRectF(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
    }

private:
    void charge(const QRectF& logical, int points = 0, double extra = 0)
    {
        const QRectF drawn = transform_.mapRect(logical).adjusted(-pen_, -pen_, pen_, pen_) & device_;
        cost_ += 64.0 + 8.0 * points + extra + (drawn.isValid() ? drawn.width() * drawn.height() : 0.0);
    }

    QRectF device_;
    QTransform transform_;
    double pen_ = 1;
    double cost_ = 0;
};

DrawCostDevice::DrawCostDevice(QSize size)
    : size_(size), engine_(std::make_unique<DrawCostEngine>(size))
{
}

DrawCostDevice::~DrawCostDevice() = default;

QPaintEngine* DrawCostDevice::paintEngine() const
{
    return engine_.get();
}

double DrawCostDevice::cost() const
{
    return engine_->cost();
}

int DrawCostDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return size_.width() * 254 / 960;
    case PdmHeightMM: return size_.height() * 254 / 960;
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return 0;
    }
}

} // namespace picture
