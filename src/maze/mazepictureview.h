#pragma once

#include <QImage>
#include <QWidget>

// An image control that stretches a maze picture over its whole area without smoothing, so
// every cell stays a crisp block, and repaints single cells on request.
class MazePictureView : public QWidget {
    Q_OBJECT
public:
    explicit MazePictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    QImage& picture() { return picture_; }

    // Schedules a repaint of the area of cell (x, y) only.
    void updateCell(int x, int y);
    // The widget area that cell (x, y) covers.
    QRect cellRect(int x, int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int edgeX(int column) const;
    int edgeY(int row) const;

    QImage picture_;
};
