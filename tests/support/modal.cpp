#include "support/modal.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace {

// Notes every window that is shown after the wait began, so a dialogue that is closed and
// opened again between two polls still counts as a new opening.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(QString name) : name_(std::move(name)) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && (name_.isEmpty() || w->objectName() == name_))
                shown = w;
        }
        return false;
    }
    QPointer<QWidget> shown;

private:
    QString name_;
};

struct Wait {
    QElapsedTimer clock;
    QString name;
    QPointer<QWidget> before; // the modal window open when the wait began
    std::unique_ptr<ShowWatcher> watcher;
    std::function<void(QWidget*)> action;
    int timeoutMs = 0;
};

void poll(std::shared_ptr<Wait> wait)
{
    QWidget* modal = QApplication::activeModalWidget();
    const bool fresh = modal && (modal != wait->before || modal == wait->watcher->shown);
    if (fresh && modal->isVisible() && (wait->name.isEmpty() || modal->objectName() == wait->name)) {
        wait->watcher.reset();
        wait->action(modal);
        return;
    }
    if (wait->clock.elapsed() > wait->timeoutMs) {
        qWarning("no modal window %s opened", qPrintable(wait->name));
        wait->watcher.reset();
        // Close whatever waits instead, so the test fails rather than hangs.
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    QTimer::singleShot(5, [wait] { poll(wait); });
}

} // namespace

void WhenModalOpens(std::function<void(QWidget*)> action, int timeoutMs)
{
    WhenModalNamed(QString(), std::move(action), timeoutMs);
}

void WhenModalNamed(const QString& name, std::function<void(QWidget*)> action, int timeoutMs)
{
    auto wait = std::make_shared<Wait>();
    wait->clock.start();
    wait->name = name;
    wait->before = QApplication::activeModalWidget();
    wait->watcher = std::make_unique<ShowWatcher>(name);
    wait->action = std::move(action);
    wait->timeoutMs = timeoutMs;
    QTimer::singleShot(0, [wait] { poll(wait); });
}

void Settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
