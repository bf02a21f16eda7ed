#include "printing/printprogresswindow.h"

#include "printing/progressanimation.h"
#include "platform/fonts.h"
#include "platform/seams.h"
#include "platform/windowcaption.h"
#include "shell/program.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kSliceMs = 10;

// A block of the bar, 10 by 20: a navy tile with a lighter face.
QPixmap BlockPicture()
{
    QImage block(10, 20, QImage::Format_RGB32);
    block.fill(QColor(0, 0, 128));
    QPainter painter(&block);
    painter.fillRect(1, 1, 8, 18, QColor(40, 60, 190));
    painter.fillRect(2, 2, 3, 16, QColor(110, 140, 235));
    painter.end();
    return QPixmap::fromImage(block);
}

} // namespace

PrintProgressWindow::PrintProgressWindow(Program& program, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      program_(program)
{
    setObjectName(QStringLiteral("fmnowprint"));
    setWindowTitle(QStringLiteral("Printing"));
    setFixedSize(kWidth, kHeight);
    setFont(fonts::sans(11));

    lblmsg = new QLabel(this);
    lblmsg->setObjectName(QStringLiteral("lblmsg"));
    lblmsg->setGeometry(20, 8, 165, 43);
    lblmsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblmsg->setWordWrap(true);

    lblmsg2 = new QLabel(this);
    lblmsg2->setObjectName(QStringLiteral("lblmsg2"));
    lblmsg2->setGeometry(34, 55, 136, 17);
    lblmsg2->setAlignment(Qt::AlignCenter);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panprogress = panel;
    panprogress->setObjectName(QStringLiteral("panprogress"));
    panprogress->setGeometry(21, 80, 162, 25);

    const QPixmap block = BlockPicture();
    for (int k = 1; k <= printing::kProgressBlocks; ++k) {
        auto* image = new QLabel(panprogress);
        image->setObjectName(QStringLiteral("Image%1").arg(k));
        image->setGeometry(4 + 12 * (k - 1), 2, 10, 20);
        image->setPixmap(block);
        image->hide();
        images_[k - 1] = image;
    }

    btncancel = new QPushButton(QStringLiteral("Cancel"), this);
    btncancel->setObjectName(QStringLiteral("btncancel"));
    btncancel->setGeometry(65, 117, 75, 25);
    connect(btncancel, &QPushButton::clicked, this, [this] { btncancelClick(); });
}

int PrintProgressWindow::visibleBlocks() const
{
    int shown = 0;
    for (const QLabel* image : images_)
        shown += image->isVisibleTo(panprogress) ? 1 : 0;
    return shown;
}

void PrintProgressWindow::AnimateProgress(int steps)
{
    QCoreApplication::processEvents();
    for (int i = 0; i < steps; ++i) {
        if (const auto change = printing::ProgressAction(state_))
            images_[change->block - 1]->setVisible(change->visible);
        panprogress->repaint();
        pause(50);
        state_ = printing::NextProgressState(state_);
    }
}

void PrintProgressWindow::pause(int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += kSliceMs) {
        program_.clock.wait(std::min(kSliceMs, milliseconds - waited));
        QCoreApplication::processEvents();
    }
}

void PrintProgressWindow::showRun()
{
    cancelled_ = false;
    running_ = true;
    btncancel->setEnabled(true);
    show();
    raise();
    // Showing gives the title bar its title afresh (on Wayland, at every showing).
    ShowCaption(this, windowTitle());
}

void PrintProgressWindow::setCaption(const QString& caption)
{
    ShowCaption(this, caption);
}

void PrintProgressWindow::setMessage(const QString& message)
{
    lblmsg->setText(message);
}

void PrintProgressWindow::setCounter(const QString& counter)
{
    lblmsg2->setText(counter);
}

void PrintProgressWindow::repaintNow()
{
    repaint();
}

void PrintProgressWindow::closeRun()
{
    QCoreApplication::processEvents();
    running_ = false;
    close();
    // A window that was never shown still gives its cursor back.
    FormClose();
}

void PrintProgressWindow::btncancelClick()
{
    cancelled_ = true;
    btncancel->setEnabled(false);
}

void PrintProgressWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void PrintProgressWindow::FormShow()
{
    if (cursorSet_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cursorSet_ = true;
}

void PrintProgressWindow::closeEvent(QCloseEvent* event)
{
    // Closing from outside during a run asks the run to stop, as Cancel does.
    if (running_) {
        btncancelClick();
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void PrintProgressWindow::FormClose()
{
    if (!cursorSet_)
        return;
    QApplication::restoreOverrideCursor();
    cursorSet_ = false;
}
