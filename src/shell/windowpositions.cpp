#include "shell/windowpositions.h"

#include "controls/placement.h"
#include "shell/settingsstore.h"

#include <QEvent>
#include <QGuiApplication>
#include <QSettings>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <optional>

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

// Notes on the window how thick its frame is, when the window manager has told: once hidden,
// the frame may be gone before the place is stored. True when the frame is known.
bool NoteFrameMargins(QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    if (frame.width() <= inside.width() && frame.height() <= inside.height())
        return false;
    window->setProperty("frameMargins", QVariant::fromValue(QMargins(inside.left() - frame.left(), inside.top() - frame.top(),
                                                                     frame.right() - inside.right(),
                                                                     frame.bottom() - inside.bottom())));
    return true;
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
        const bool frameKnown = NoteFrameMargins(window_);
        if (window_->isVisible() && !frameKnown && ++ticks_ <= 100)
            return;
        timer_.stop();
        window_->removeEventFilter(this);
        if (window_->isVisible() && frameKnown && window_->frameGeometry().topLeft() != target_)
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

// How far the inside sat within the frame when the bounds were stored; nothing when no inset is
// stored or one is beyond any frame. Right and bottom default to left, as older stores have
// only the left one.
std::optional<QMargins> storedInsets(QSettings& store, const QString& name)
{
    auto insetOf = [&](const char* side, int fallback) {
        return ReadRegistryInteger(store, ProductKey(name, QString::fromLatin1(side)), fallback);
    };
    const int left = insetOf("insetleft", 0);
    const QMargins insets(left, insetOf("insettop", 0), insetOf("insetright", left), insetOf("insetbottom", left));
    for (int side : {insets.left(), insets.top(), insets.right(), insets.bottom()})
        if (side < 0 || side > 100)
            return std::nullopt;
    return insets;
}

// Where the compositor places the windows: the size alone, the inside's as it was stored.
void applyStoredSize(QSettings& store, const NamedWindow& named, int width, int height)
{
    if (width == kMissing && height == kMissing)
        return;
    QWidget* w = named.window;
    const QMargins insets = storedInsets(store, named.name).value_or(QMargins());
    QSize size = w->size();
    if (width != kMissing)
        size.setWidth(std::max(1, width - insets.left() - insets.right()));
    if (height != kMissing)
        size.setHeight(std::max(1, height - insets.top() - insets.bottom()));
    if (w->property("sizedByZoom").toBool()) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    w->resize(size.expandedTo(w->minimumSize()).boundedTo(w->maximumSize()));
}

void applyMaximised(QSettings& store, const NamedWindow& named)
{
    if (named.name != kInstructions)
        return;
    const bool maximised = ReadRegistryBool(store, ProductKey(named.name, QStringLiteral("max")), false);
    const Qt::WindowStates state = named.window->windowState() & ~Qt::WindowMaximized;
    named.window->setWindowState(maximised ? state | Qt::WindowMaximized : state);
}

// Notes the frame's thickness whenever the window moves, changes size or shows.
class FrameWatcher : public QObject {
public:
    explicit FrameWatcher(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (watched != window_ || !window_->isVisible() ||
            (type != QEvent::Move && type != QEvent::Resize && type != QEvent::Show && type != QEvent::WindowActivate))
            return false;
        NoteFrameMargins(window_);
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void WatchFrame(QWidget* window)
{
    if (!window || window->property("frameWatched").toBool())
        return;
    window->setProperty("frameWatched", true);
    new FrameWatcher(window);
}

WindowPlacing CurrentWindowPlacing()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? WindowPlacing::byCompositor
                                                                                : WindowPlacing::byProgram;
}

const QStringList& SharedPositionedWindowNames()
{
    static const QStringList names = {QStringLiteral("fmoptions"), QStringLiteral("fmfiles"), kInstructions};
    return names;
}

void SaveWindowPositions(QSettings& store, const QList<NamedWindow>& windows, WindowPlacing placing)
{
    for (const NamedWindow& named : windows) {
        QWidget* w = named.window;
        if (!w)
            continue;
        const bool remembersMaximised = named.name == kInstructions;
        const bool maximised = w->isMaximized();
        if (!(remembersMaximised && maximised) && placing == WindowPlacing::byCompositor) {
            // The place Qt reports means nothing here, and the frame is the compositor's: the
            // size goes in with the insets an X11 session stored, so it reads it back exactly.
            const QSize frame = w->size().grownBy(storedInsets(store, named.name).value_or(QMargins()));
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("height")), frame.height());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("width")), frame.width());
        } else if (!(remembersMaximised && maximised)) {
            // Where the inside sat in its frame: before a window is shown its frame is unknown,
            // and the next run needs this to put the frame back where it was. A window whose
            // frame Qt does not know now (hidden before the window manager told) uses the last
            // frame it had.
            QRect frame = w->frameGeometry();
            const QRect inner = w->geometry();
            QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                             frame.bottom() - inner.bottom());
            const QVariant known = w->property("frameMargins");
            if (frame == inner && known.isValid()) {
                margins = known.value<QMargins>();
                frame = inner.marginsAdded(margins);
            }
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("insetleft")), margins.left());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("insettop")), margins.top());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("insetright")), margins.right());
            WriteRegistryInteger(store, ProductKey(named.name, QStringLiteral("insetbottom")), margins.bottom());
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

void LoadWindowPositions(QSettings& store, const QList<NamedWindow>& windows, WindowPlacing placing)
{
    for (const NamedWindow& named : windows) {
        QWidget* w = named.window;
        if (!w)
            continue;
        const int left = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("left")), kMissing);
        const int top = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("top")), kMissing);
        const int height = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("height")), kMissing);
        const int width = ReadRegistryInteger(store, ProductKey(named.name, QStringLiteral("width")), kMissing);

        if (!sane(left, top, width, height)) {
            applyMaximised(store, named);
            continue;
        }
        if (placing == WindowPlacing::byCompositor) {
            applyStoredSize(store, named, width, height);
            applyMaximised(store, named);
            continue;
        }
        if (left != kMissing || top != kMissing || width != kMissing || height != kMissing) {
            if (left != kMissing)
                w->setProperty("autoCentre", false);
            // Stored bounds are the outer frame's. Where the frame is not known yet (a window not
            // shown), the inset stored with them says how far the inside sat within it.
            const QRect inner = w->geometry();
            QRect frame = w->frameGeometry();
            QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                             frame.bottom() - inner.bottom());
            const bool framed = frame != inner;
            const std::optional<QMargins> stored = storedInsets(store, named.name);
            if (!framed && stored) {
                margins = *stored;
                frame = inner.marginsAdded(margins);
                if (!margins.isNull())
                    w->setProperty("frameMargins", QVariant::fromValue(margins));
            }
            const QRect storedFrame(left != kMissing ? left : frame.x(), top != kMissing ? top : frame.y(),
                                    width != kMissing ? width : frame.width(), height != kMissing ? height : frame.height());
            // A window that takes its zoom from its size lets the stored size through.
            if (w->property("sizedByZoom").toBool()) {
                w->setMinimumSize(0, 0);
                w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            }
            // The inside's bounds: a fixed-size window keeps its size and only moves.
            const QRect target = storedFrame.marginsRemoved(margins);
            w->setGeometry(QRect(target.topLeft(), target.size().expandedTo(w->minimumSize()).boundedTo(w->maximumSize())));
            if (!framed && (left != kMissing || top != kMissing))
                new FramePlacer(w, storedFrame.topLeft());
        }

        applyMaximised(store, named);
    }
}
