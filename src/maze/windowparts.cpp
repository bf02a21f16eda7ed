#include "maze/windowparts.h"

#include "maze/mazepictureview.h"
#include "maze/windowsize.h"

#include <QIcon>
#include <QToolButton>
#include <QWidget>

namespace maze {
namespace {
constexpr int kBarHeight = 33;
constexpr int kMargin = 20;
constexpr int kButtonSize = 25;
} // namespace

void MazeWindowFrame::layOut(QWidget* window, int pixels) const
{
    const int width = ClientSizeFor(pixels).width();
    bar->setGeometry(0, 0, width, kBarHeight);
    top->setGeometry(0, kBarHeight, width, kMargin);
    left->setGeometry(0, kBarHeight + kMargin, kMargin, pixels);
    picture->setGeometry(kMargin, kBarHeight + kMargin, pixels, pixels);
    right->setGeometry(kMargin + pixels, kBarHeight + kMargin, kMargin, pixels);
    bottom->setGeometry(0, kBarHeight + kMargin + pixels, width, kMargin);
    window->setFixedSize(ClientSizeFor(pixels));
}

int MazeWindowFrame::fitTo(QWidget* window) const
{
    const int pixels = PictureSizeForRoom(window->width() - WindowMargins{}.width);
    const QSize fixed = ClientSizeFor(pixels);
    if (picture->width() != pixels || window->size() != fixed || window->minimumSize() != fixed ||
        window->maximumSize() != fixed)
        layOut(window, pixels);
    return pixels;
}

QWidget* WhitePanel(const QString& name, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    return panel;
}


} // namespace maze
