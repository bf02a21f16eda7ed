#pragma once

#include <QImage>
#include <QWidget>

class TokScrollImage;
class QToolButton;

// "Puzzle preview": the solved picture, scaled to the window, on top of the others.
class Tfmpcheat : public QWidget {
    Q_OBJECT
public:
    explicit Tfmpcheat(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    QImage picture() const;
    TokScrollImage* scrollImage() const { return imcheat; }

    void btncloseClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* Panel7 = nullptr;
    QToolButton* btnclose = nullptr;
    TokScrollImage* imcheat = nullptr;
};
