#include "shell/playwindow.h"

#include "controls/placement.h"
#include "shell/musicbuttons.h"
#include "shell/instructionswindow.h"
#include "shell/windows.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QToolButton>

PlayWindow::PlayWindow(Program& program, Windows& windows, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), program_(program), windows_(windows)
{
}

void PlayWindow::btnoptionsClick()
{
    musicbuttons::btnoptionsClick(program_, windows_);
    update();
}

void PlayWindow::btnmusicClick()
{
    musicbuttons::btnmusicClick(program_, btnmusic);
}

void PlayWindow::btnnextClick()
{
    musicbuttons::btnnextClick(program_, btnnext);
}

void PlayWindow::SpeedButton1Click()
{
    if (windows_.FmInstructions)
        windows_.FmInstructions->exec();
    update();
}

void PlayWindow::btncloseClick()
{
    close();
}

void PlayWindow::showEvent(QShowEvent* event)
{
    if (!centred_)
        placement::CentreUnlessPlaced(this);
    centred_ = true;
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void PlayWindow::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}
