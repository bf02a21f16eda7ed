#include "shell/windowpositions.h"

#include "shell/settingsstore.h"

#include <QSettings>
#include <QWidget>

namespace {

const QString kInstructions = QStringLiteral("fminstructions");
constexpr int kMissing = -1000;

} // namespace

const QStringList& PositionedWindowNames()
{
    static const QStringList names = {
        QStringLiteral("fmmain"),   QStringLiteral("fmanswers"), QStringLiteral("fmcmaker"),
        QStringLiteral("fmcrypt"),  QStringLiteral("fmmaze"),    QStringLiteral("fmmzkey"),
        QStringLiteral("fmpcheat"), QStringLiteral("fmpclick"),  QStringLiteral("fmoptions"),
        QStringLiteral("fmpmaker"), QStringLiteral("fmgenerator"), QStringLiteral("fmfiles"),
        kInstructions,
    };
    return names;
}

void SaveWindowPositions(QSettings& store, const QList<NamedWindow>& windows)
{
    for (const NamedWindow& named : windows) {
        QWidget* w = named.window;
        if (!w)
            continue;
        const bool remembersMaximised = named.name == kInstructions;
        const bool maximised = w->isMaximized();
        if (!(remembersMaximised && maximised)) {
            const QRect frame = w->frameGeometry();
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("left")), frame.x());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("top")), frame.y());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("height")), frame.height());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("width")), frame.width());
        }
        if (remembersMaximised)
            WriteRegistryBool(store, ProductKey(named.name, QStringLiteral("max")), maximised);
    }
    store.sync();
}

void LoadWindowPositions(QSettings& store, const QList<NamedWindow>& windows)
{
    for (const NamedWindow& named : windows) {
        QWidget* w = named.window;
        if (!w)
            continue;
        const int left = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("left")), kMissing);
        const int top = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("top")), kMissing);
        const int height = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("height")), kMissing);
        const int width = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("width")), kMissing);

        const QRect frame = w->frameGeometry();
        const QRect inner = w->geometry();
        if (left != kMissing)
            w->setProperty("autoCentre", false);
        if (left != kMissing || top != kMissing)
            w->move(left != kMissing ? left : frame.x(), top != kMissing ? top : frame.y());
        if (width != kMissing || height != kMissing) {
            // Stored sizes are of the outer frame; resize() sets the client area.
            const int frameWidth = frame.width() - inner.width();
            const int frameHeight = frame.height() - inner.height();
            // A window that takes its zoom from its size lets the stored size through.
            if (w->property("sizedByZoom").toBool()) {
                w->setMinimumSize(0, 0);
                w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            }
            w->resize(width != kMissing ? width - frameWidth : inner.width(),
                      height != kMissing ? height - frameHeight : inner.height());
        }

        if (named.name == kInstructions) {
            const bool maximised = ReadRegistryBool(store, ProductKey(named.name, QStringLiteral("max")), false);
            const Qt::WindowStates state = w->windowState() & ~Qt::WindowMaximized;
            w->setWindowState(maximised ? state | Qt::WindowMaximized : state);
        }
    }
}
