#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>

// An image control that stretches a maze picture over its whole area without smoothing, so
// every cell stays a crisp block, with one cell (the cursor) drawn over it in a colour of its own.
class MazePictureView : public QWidget {
    Q_OBJECT
public:
    explicit MazePictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    // The cell drawn in colour instead of its pixel, or none; only the cells that change repaint.
    void setMarkedCell(std::optional<QPoint> cell, const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int edgeX(int column) const;
    int edgeY(int row) const;
    QRect cellRect(int x, int y) const;
    void updateCell(const std::optional<QPoint>& cell);

    QImage picture_;
    std::optional<QPoint> marked_;
    QColor markColour_;
};
