#include "controls/placement.h"

#include <algorithm>

#include "platform/fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVariant>

namespace placement {

void CentreOnScreen(QWidget* window)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - QPoint(window->width() / 2, window->height() / 2));
}

void CentreUnlessPlaced(QWidget* window)
{
    const QVariant autoCentre = window->property("autoCentre");
    if (!autoCentre.isValid() || autoCentre.toBool())
        CentreOnScreen(window);
}

QSize PrimaryScreenSize()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

void KeepOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    QPoint corner = frame.topLeft();
    if (frame.right() > area.right())
        corner.setX(area.right() - frame.width() + 1);
    if (frame.bottom() > area.bottom())
        corner.setY(area.bottom() - frame.height() + 1);
    corner.setX(std::max(corner.x(), area.left()));
    corner.setY(std::max(corner.y(), area.top()));
    if (corner != frame.topLeft())
        window->move(corner);
}

QLabel* MakeLabel(const QString& text, const QString& name, QWidget* parent, const QRect& geometry, bool wordWrap,
                  int pixelSize)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(wordWrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setFont(fonts::sans(pixelSize));
    return label;
}

std::optional<QPoint> PlaceBeside(const QRect& area, const QRect& owner, QSize frameSize, int gap)
{
    if (frameSize.height() > area.height())
        return std::nullopt;
    const int top = std::clamp(owner.top(), area.top(), area.bottom() + 1 - frameSize.height());
    const int right = owner.right() + 1 + gap;
    if (right + frameSize.width() <= area.right() + 1)
        return QPoint(right, top);
    const int left = owner.left() - gap - frameSize.width();
    if (left >= area.left())
        return QPoint(left, top);
    // A window opened level with the one beneath it can stay unpainted on some X servers until
    // it moves: the cascade keeps their edges apart as well.
    constexpr int kCascade = 32;
    const int x = std::clamp(owner.left() + kCascade, area.left(), std::max(area.left(), area.right() + 1 - frameSize.width()));
    const int y = std::clamp(owner.top() + kCascade, area.top(), area.bottom() + 1 - frameSize.height());
    return QPoint(x, y);
}

void ShowOrRaise(QWidget* window)
{
    if (!window->isVisible()) {
        window->show();
        return;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

} // namespace placement
