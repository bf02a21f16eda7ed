#include "platform/uitour.h"

#include "platform/inputfile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <time.h>

namespace uitour {
namespace {

constexpr int kTickMs = 50;
constexpr int kStepTimeoutMs = 20000;

// How many words each step takes (the step's own name included), at least and at most.
struct Shape {
    const char* verb;
    int least;
    int most;
};
constexpr Shape kShapes[] = {{"wait", 2, 2},  {"gone", 2, 2},  {"click", 3, 3}, {"type", 4, 4},
                             {"close", 2, 2}, {"pause", 1, 1}, {"stamp", 2, 2}};

void say(const QString& line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QWidget* visibleWindow(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->objectName() == name || w->windowTitle() == name))
            return w;
    return nullptr;
}

QWidget* control(QWidget* window, const QString& name)
{
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->objectName() == name)
            return child;
        if (auto* button = qobject_cast<QAbstractButton*>(child))
            if (button->text().remove(QLatin1Char('&')) == name)
                return button;
    }
    return nullptr;
}

// Lines of standard input, read on a thread of their own so the window thread never waits.
class InputLines {
public:
    InputLines()
    {
        std::thread([this] {
            std::string line;
            while (std::getline(std::cin, line))
                ++lines_;
            ended_ = true;
        }).detach();
    }
    // Takes one line if one has come; true as well once the input has ended.
    bool take()
    {
        if (taken_ < lines_) {
            ++taken_;
            return true;
        }
        return ended_;
    }

private:
    std::atomic<int> lines_{0};
    std::atomic<bool> ended_{false};
    int taken_ = 0;
};

class Tour : public QObject {
public:
    Tour(QList<QStringList> steps, QStringList lines) : steps_(std::move(steps)), lines_(std::move(lines))
    {
        timer_.setInterval(kTickMs);
        connect(&timer_, &QTimer::timeout, this, &Tour::tick);
        timer_.start();
    }

private:
    enum class Outcome { done, notYet };

    // Runs steps until one has to wait; a nested event loop (a modal window) calls this too.
    void tick()
    {
        while (index_ < steps_.size()) {
            if (run(steps_[index_]) == Outcome::notYet) {
                if ((waited_ += kTickMs) > kStepTimeoutMs) {
                    say(QStringLiteral("tour failed: ") + lines_[index_]);
                    timer_.stop();
                    QCoreApplication::exit(3);
                }
                return;
            }
            ++index_;
            waited_ = 0;
            pausing_ = false;
            if (clicked_) {
                clicked_ = false;
                return; // the click runs first
            }
        }
        timer_.stop();
    }

    Outcome run(const QStringList& step)
    {
        const QString& verb = step[0];
        if (verb == QLatin1String("pause")) {
            if (!pausing_) {
                pausing_ = true;
                say(QStringLiteral("paused"));
            }
            return input_.take() ? Outcome::done : Outcome::notYet;
        }
        if (verb == QLatin1String("stamp")) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            say(step[1] + QLatin1Char(' ') + QString::number(double(now.tv_sec) + double(now.tv_nsec) / 1e9, 'f', 3));
            return Outcome::done;
        }
        QWidget* window = visibleWindow(step[1]);
        if (verb == QLatin1String("gone"))
            return window ? Outcome::notYet : Outcome::done;
        if (!window)
            return Outcome::notYet;
        if (verb == QLatin1String("wait")) {
            if (!window->windowHandle() || !window->windowHandle()->isExposed())
                return Outcome::notYet;
            say(QStringLiteral("shown %1 %2x%3").arg(step[1]).arg(window->width()).arg(window->height()));
            return Outcome::done;
        }
        if (verb == QLatin1String("close")) {
            QPointer<QWidget> target = window;
            QTimer::singleShot(0, window, [target] {
                if (auto* dialog = qobject_cast<QDialog*>(target.data()))
                    dialog->reject();
                else if (target)
                    target->close();
            });
            clicked_ = true;
            return Outcome::done;
        }
        QWidget* child = control(window, step[2]);
        if (!child || !child->isEnabled())
            return Outcome::notYet;
        if (verb == QLatin1String("click")) {
            auto* button = qobject_cast<QAbstractButton*>(child);
            if (!button)
                return Outcome::notYet;
            QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
            clicked_ = true;
            return Outcome::done;
        }
        // type
        if (auto* line = qobject_cast<QLineEdit*>(child))
            line->setText(step[3]);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(child))
            text->setPlainText(step[3]);
        else
            return Outcome::notYet;
        return Outcome::done;
    }

    QList<QStringList> steps_;
    QStringList lines_;
    QTimer timer_;
    InputLines input_;
    int index_ = 0;
    int waited_ = 0;
    bool pausing_ = false;
    bool clicked_ = false;
};

} // namespace

QList<QStringList> Parse(const QString& script, QString* why)
{
    QList<QStringList> steps;
    for (const QString& raw : script.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = QProcess::splitCommand(line);
        bool known = false;
        for (const Shape& shape : kShapes)
            if (!words.isEmpty() && words[0] == QLatin1String(shape.verb))
                known = words.size() >= shape.least && words.size() <= shape.most;
        if (!known) {
            if (why)
                *why = QStringLiteral("not a step: ") + line;
            return {};
        }
        steps << words;
    }
    return steps;
}

bool Start(const QString& path)
{
    QByteArray bytes;
    if (!inputfile::ReadFile(path, 1 << 20, bytes))
        return false;
    QString why;
    const QList<QStringList> steps = Parse(QString::fromUtf8(bytes), &why);
    if (steps.isEmpty()) {
        say(QStringLiteral("tour failed: ") + why);
        return false;
    }
    QStringList lines;
    for (const QStringList& step : steps)
        lines << step.join(QLatin1Char(' '));
    (new Tour(steps, lines))->setParent(QCoreApplication::instance());
    return true;
}

} // namespace uitour
