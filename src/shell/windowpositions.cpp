#include "shell/windowpositions.h"

#include "controls/placement.h"
#include "shell/settingsstore.h"

#include <QSettings>
#include <QEvent>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace {

const QString kInstructions = QStringLiteral("fminstructions");
constexpr int kMissing = -1000;
// Far beyond any screen, yet far from overflowing when a place and a size are added.
constexpr int kFarthest = 100000;

// Bounds no window could have (a size of 0 or less, a place near the end of the integers) are
// no stored place at all: the window keeps its own.
bool sane(int left, int top, int width, int height)
{
    const auto place = [](int v) { return v == kMissing || (v >= -kFarthest && v <= kFarthest); };
    const auto size = [](int v) { return v == kMissing || (v >= 1 && v <= kFarthest); };
    return place(left) && place(top) && size(width) && size(height);
}

// Where Qt knows a frame before the window is shown, the inset added above is one too many.
// Once the frame is known this puts its corner where it was stored, if it is not there.
class FramePlacer : public QObject {
public:
    FramePlacer(QWidget* window, QPoint frameTopLeft) : QObject(window), window_(window), target_(frameTopLeft)
    {
        window->installEventFilter(this);
        timer_.setInterval(50);
        connect(&timer_, &QTimer::timeout, this, &FramePlacer::check);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Show) {
            timer_.start();
            check();
        }
        return false;
    }

private:
    void check()
    {
        const QRect frame = window_->frameGeometry();
        const QRect inside = window_->geometry();
        const bool frameKnown = frame.width() > inside.width() || frame.height() > inside.height();
        if (window_->isVisible() && !frameKnown && ++ticks_ <= 100)
            return;
        timer_.stop();
        window_->removeEventFilter(this);
        if (frameKnown)
            window_->setProperty("frameInset", inside.topLeft() - frame.topLeft());
        if (window_->isVisible() && frameKnown && frame.topLeft() != target_)
            window_->move(target_);
        // A place stored on a larger screen (or one since turned) may lie off this one.
        if (window_->isVisible())
            placement::KeepOnScreen(window_);
        deleteLater();
    }

    QWidget* window_;
    QPoint target_;
    QTimer timer_;
    int ticks_ = 0;
};

void applyMaximised(QSettings& store, const NamedWindow& named)
{
    if (named.name != kInstructions)
        return;
    const bool maximised = ReadRegistryBool(store, ProductKey(named.name, QStringLiteral("max")), false);
    const Qt::WindowStates state = named.window->windowState() & ~Qt::WindowMaximized;
    named.window->setWindowState(maximised ? state | Qt::WindowMaximized : state);
}

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
            // Where the inside sat in its frame: before a window is shown its frame is unknown,
            // and the next run needs this to put the frame back where it was. A window whose
            // frame Qt does not know now (hidden before the window manager told) uses the last
            // inset it had.
            QRect frame = w->frameGeometry();
            QPoint inset = w->geometry().topLeft() - frame.topLeft();
            const QVariant known = w->property("frameInset");
            if (frame == w->geometry() && known.isValid()) {
                inset = known.toPoint();
                frame = frame.marginsAdded(QMargins(inset.x(), inset.y(), inset.x(), inset.x()));
            }
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("insetleft")), inset.x());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("insettop")), inset.y());
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
        if (!sane(left, top, width, height)) {
            applyMaximised(store, named);
            continue;
        }
        const QRect inner = w->geometry();
        if (left != kMissing)
            w->setProperty("autoCentre", false);
        if (left != kMissing || top != kMissing) {
            const QPoint target(left != kMissing ? left : frame.x(), top != kMissing ? top : frame.y());
            // The stored corner is the frame's. A window not shown yet has no frame, and the
            // corner given to it becomes its inside's; so the inside goes where it sat last time.
            const bool framed = w->frameGeometry() != w->geometry();
            const QPoint inset(ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("insetleft")), 0),
                               ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("insettop")), 0));
            const bool sane = inset.x() >= 0 && inset.x() <= 100 && inset.y() >= 0 && inset.y() <= 100;
            w->move(framed || !sane ? target : target + inset);
            if (sane && !framed && !inset.isNull())
                w->setProperty("frameInset", inset);
            if (!framed)
                new FramePlacer(w, target);
        }
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

        applyMaximised(store, named);
    }
}
