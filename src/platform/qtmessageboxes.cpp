#include "platform/qtmessageboxes.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>

namespace {

QWidget* parentWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString titleOr(const QString& title, const char* fallback)
{
    return title.isEmpty() ? QString::fromLatin1(fallback) : title;
}

} // namespace

namespace {

// Qt wraps a message whose lines are long; ours break where the text has a line feed only.
class UnwrappedMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (!label || !label->wordWrap())
            return;
        label->setWordWrap(false);
        label->setMinimumSize(label->sizeHint());
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        layout()->activate();
        setFixedSize(layout()->totalMinimumSize().expandedTo(size()));
    }
};

} // namespace

std::unique_ptr<QMessageBox> QtMessageBoxes::build(QMessageBox::Icon icon, const QString& title, const QString& text,
                                                   QMessageBox::StandardButtons buttons)
{
    auto box = std::make_unique<UnwrappedMessageBox>(icon, title, text, buttons, parentWindow());
    box->setTextFormat(Qt::PlainText);
    return box;
}

bool QtMessageBoxes::question(const QString& title, const QString& text)
{
    auto box = build(QMessageBox::Question, titleOr(title, "Question"), text, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    return box->exec() == QMessageBox::Yes;
}

void QtMessageBoxes::warning(const QString& title, const QString& text)
{
    build(QMessageBox::Warning, titleOr(title, "Warning"), text, QMessageBox::Ok)->exec();
}

void QtMessageBoxes::error(const QString& title, const QString& text)
{
    build(QMessageBox::Critical, titleOr(title, "Error"), text, QMessageBox::Ok)->exec();
}

void QtMessageBoxes::message(const QString& text)
{
    build(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok)->exec();
}
