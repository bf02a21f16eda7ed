#include "platform/qtpicturechoice.h"

#include <QFileDialog>

QString QtPictureChoice::choosePicture(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}
