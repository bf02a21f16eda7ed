#include "maze/windowparts.h"

#include "maze/mazepictureview.h"
#include "maze/windowsize.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
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
    const WindowMargins margins;
    const int width = margins.width + pixels;
    bar->setGeometry(0, 0, width, kBarHeight);
    top->setGeometry(0, kBarHeight, width, kMargin);
    left->setGeometry(0, kBarHeight + kMargin, kMargin, pixels);
    picture->setGeometry(kMargin, kBarHeight + kMargin, pixels, pixels);
    right->setGeometry(kMargin + pixels, kBarHeight + kMargin, kMargin, pixels);
    bottom->setGeometry(0, kBarHeight + kMargin + pixels, width, kMargin);
    window->setFixedSize(width, margins.height + pixels);
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

QToolButton* BarButton(QWidget* bar, const QString& name, const QString& icon, const QString& hint, int left)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/icons/") + icon + QStringLiteral(".png")));
    button->setIconSize(QSize(21, 21));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, (kBarHeight - kButtonSize) / 2, kButtonSize, kButtonSize);
    return button;
}


} // namespace maze
