#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>

// An image control that stretches a maze picture over its whole area without smoothing, every
// cell a crisp block of the device's pixels, with one cell (the cursor) drawn over it in a
// colour of its own.
class MazePictureView : public QWidget {
    Q_OBJECT
public:
    explicit MazePictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    // The cell drawn in colour instead of its pixel, or none; only the cells that change repaint.
    void setMarkedCell(std::optional<QPoint> cell, const QColor& colour);

    // Where a cell is drawn, in the device's pixels.
    QRect cellRect(int x, int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal ratio() const;
    int edgeX(int column) const;
    int edgeY(int row) const;
    void updateCell(const std::optional<QPoint>& cell);

    QImage picture_;
    std::optional<QPoint> marked_;
    QColor markColour_;
};
