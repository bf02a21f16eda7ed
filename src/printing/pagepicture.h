#pragma once

#include <QImage>
#include <QWidget>

// A picture on a page window. It paints its picture without smoothing, stretched over the
// control or at its top-left, and the page renderer prints it the same way.
class PagePicture : public QWidget {
    Q_OBJECT
public:
    explicit PagePicture(QWidget* parent = nullptr, bool stretch = false);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    bool stretch() const { return stretch_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool stretch_;
};
