#include "buttonicons.h"

#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QScreen>

QIcon ButtonIcon(const QString& name)
{
    const QString base = QStringLiteral(":/icons/") + name;
    QIcon icon;
    const QImage once(base + QStringLiteral(".png"));
    const QImage twice(base + QStringLiteral("@2x.png"));
    if (!once.isNull())
        icon.addPixmap(QPixmap::fromImage(once));
    if (twice.isNull() || once.isNull())
        return icon;
    QPixmap large = QPixmap::fromImage(twice);
    large.setDevicePixelRatio(2);
    icon.addPixmap(large);

    QList<qreal> ratios{qGuiApp->devicePixelRatio()};
    for (const QScreen* screen : QGuiApplication::screens())
        ratios << screen->devicePixelRatio();
    QList<qreal> done;
    for (const qreal ratio : ratios) {
        if (ratio <= 1 || ratio >= 2 || done.contains(ratio))
            continue;
        done << ratio;
        const QSize size = (QSizeF(once.size()) * ratio).toSize();
        QPixmap between = QPixmap::fromImage(twice.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        between.setDevicePixelRatio(ratio);
        icon.addPixmap(between);
    }
    return icon;
}
