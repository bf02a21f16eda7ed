#include "shell/playwindow.h"

#include "controls/placement.h"
#include "shell/musicbuttons.h"
#include "shell/instructionswindow.h"
#include "shell/desk.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QToolButton>

PlayWindow::PlayWindow(Program& program, Desk& desk, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), program_(program), desk_(desk)
{
}

void PlayWindow::btnoptionsClick()
{
    musicbuttons::btnoptionsClick(program_, desk_);
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

void PlayWindow::showInstructions()
{
    if (desk_.instructions)
        desk_.instructions->exec();
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
