#pragma once

#include <QPaintDevice>
#include <QSize>
#include <memory>

// A paint device that draws nothing and adds up, for every shape painted on it, the area it
// covers on the device (transformed, clipped to the device): what drawing the same onto a
// picture of that size would cost, known before paying it.
namespace picture {

class DrawCostEngine;

class DrawCostDevice : public QPaintDevice {
public:
    explicit DrawCostDevice(QSize size);
    ~DrawCostDevice() override;

    QPaintEngine* paintEngine() const override;
    double cost() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<DrawCostEngine> engine_;
};

} // namespace picture
