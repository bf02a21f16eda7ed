#include "support/modal.h"

#include <QElapsedTimer>
#include <QTimer>
#include <memory>

namespace {

void poll(std::shared_ptr<QElapsedTimer> clock, QString name, QWidget* before, std::function<void(QWidget*)> action,
          int timeoutMs)
{
    QWidget* modal = QApplication::activeModalWidget();
    const bool fits = modal && modal != before && modal->isVisible() && (name.isEmpty() || modal->objectName() == name);
    if (fits) {
        action(modal);
        return;
    }
    if (clock->elapsed() > timeoutMs) {
        qWarning("no modal window %s opened", qPrintable(name));
        return;
    }
    QTimer::singleShot(5, [=] { poll(clock, name, before, action, timeoutMs); });
}

} // namespace

void WhenModalOpens(std::function<void(QWidget*)> action, int timeoutMs)
{
    WhenModalNamed(QString(), std::move(action), timeoutMs);
}

void WhenModalNamed(const QString& name, std::function<void(QWidget*)> action, int timeoutMs)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QWidget* before = QApplication::activeModalWidget();
    QTimer::singleShot(0, [=] { poll(clock, name, before, action, timeoutMs); });
}

void Settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
