#include "platform/qtmessageboxes.h"

#include <QApplication>
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

bool QtMessageBoxes::question(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, titleOr(title, "Question"), text, QMessageBox::Yes | QMessageBox::No,
                    parentWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtMessageBoxes::warning(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, titleOr(title, "Warning"), text, QMessageBox::Ok, parentWindow());
    box.exec();
}

void QtMessageBoxes::error(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, titleOr(title, "Error"), text, QMessageBox::Ok, parentWindow());
    box.exec();
}

void QtMessageBoxes::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    parentWindow());
    box.exec();
}
