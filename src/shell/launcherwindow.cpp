#include "shell/launcherwindow.h"

#include "controls/placement.h"
#include "controls/colourbutton.h"
#include "platform/colours.h"
#include "platform/fonts.h"
#include "shell/program.h"
#include "shell/puzzlepacks.h"
#include "shell/settingsstore.h"
#include "shell/aboutwindow.h"
#include "shell/morewindow.h"
#include "shell/optionswindow.h"
#include "shell/windowpositions.h"
#include "shell/desk.h"


#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QMouseEvent>
#include <QWindow>
#include <QPainter>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const QColor kNavy = ToQColor(0x800000);
const QColor kTypeListBlue = ToQColor(0x620000);

ColourButton* navyButton(const QString& name, const QString& caption, QWidget* parent, const QRect& geometry)
{
    auto* button = new ColourButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setButtonColor(kNavy);
    button->setCaptionColor(Qt::white);
    button->setGeometry(geometry);
    button->setFont(fonts::sans(12, true));
    return button;
}

} // namespace

LauncherWindow::LauncherWindow(Program& program, Desk& desk, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), program_(program), desk_(desk)
{
    setObjectName(QStringLiteral("fmpuzzletype"));
    setWindowTitle(QStringLiteral("Brainloft"));
    setFixedSize(kWidth, kHeight);
    placement::CentreOnScreen(this);
    buildControls();
}

void LauncherWindow::buildControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kWidth, kHeight);
    Image1->setPixmap(QPixmap(QStringLiteral(":/artwork/launcher.png")));
    Image1->setScaledContents(true);
    Image1->setMouseTracking(false);
    Image1->installEventFilter(this);

    rgpuzzletype = new QWidget(this);
    rgpuzzletype->setObjectName(QStringLiteral("rgpuzzletype"));
    rgpuzzletype->setGeometry(175, 118, 250, 146);
    rgpuzzletype->setAutoFillBackground(true);
    QPalette pal = rgpuzzletype->palette();
    pal.setColor(QPalette::Window, kTypeListBlue);
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::ButtonText, Qt::white);
    rgpuzzletype->setPalette(pal);
    auto* layout = new QVBoxLayout(rgpuzzletype);
    layout->setContentsMargins(24, 10, 10, 10);
    typeGroup_ = new QButtonGroup(this);
    for (int i = 0; i < desk_.types.size(); ++i) {
        auto* radio = new QRadioButton(desk_.types[i].name, rgpuzzletype);
        radio->setObjectName(QStringLiteral("rgpuzzletype_%1").arg(i));
        radio->setFont(fonts::sans(16));
        radio->setPalette(pal);
        typeGroup_->addButton(radio, i);
        layout->addWidget(radio);
    }
    if (QAbstractButton* first = typeGroup_->button(0))
        first->setChecked(true);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(175, 276, 250, 44);
    panel->setAutoFillBackground(true);
    QPalette navy = panel->palette();
    navy.setColor(QPalette::Window, kNavy);
    panel->setPalette(navy);

    auto* ok = navyButton(QStringLiteral("ColorBtn1"), QStringLiteral("OK"), panel, QRect(8, 9, 72, 26));
    auto* about = navyButton(QStringLiteral("ColorBtn4"), QStringLiteral("About"), panel, QRect(89, 9, 72, 26));
    auto* closeButton = navyButton(QStringLiteral("ColorBtn2"), QStringLiteral("CLOSE"), panel, QRect(170, 9, 72, 26));
    auto* install =
        navyButton(QStringLiteral("ColorBtn6"), QStringLiteral("Install puzzle packs"), this, QRect(175, 334, 250, 30));
    auto* minimiseButton = navyButton(QStringLiteral("ColorBtn5"), QStringLiteral("  "), this, QRect(545, 8, 20, 20));
    QFont struck = fonts::sans(12, true);
    struck.setStrikeOut(true);
    minimiseButton->setFont(struck);
    minimiseButton->setToolTip(QStringLiteral("Minimise"));
    auto* x = navyButton(QStringLiteral("ColorBtn3"), QStringLiteral("X"), this, QRect(568, 8, 20, 20));
    ok->setDefault(true);

    connect(ok, &QPushButton::clicked, this, &LauncherWindow::playChosenType);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(x, &QPushButton::clicked, this, &QWidget::close);
    connect(about, &QPushButton::clicked, this, &LauncherWindow::showAbout);
    connect(minimiseButton, &QPushButton::clicked, this, &LauncherWindow::minimise);
    connect(install, &QPushButton::clicked, this, &LauncherWindow::offerMorePuzzles);

}

int LauncherWindow::selectedType() const
{
    return typeGroup_->checkedId();
}

void LauncherWindow::selectType(int index)
{
    if (QAbstractButton* b = typeGroup_->button(index))
        b->setChecked(true);
}

void LauncherWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A restore from the task bar is no new showing.
    if (!event->spontaneous())
        FormShow();
}

QList<NamedWindow> LauncherWindow::positionedWindows() const
{
    QList<NamedWindow> list;
    for (const QString& name : desk_.positionedWindows)
        list.append(NamedWindow{name, desk_.byName(name)});
    return list;
}

void LauncherWindow::FormShow()
{
    if (!positionsLoaded_) {
        if (const auto store = OpenSettingsStore(program_.paths.settingsFile))
            LoadWindowPositions(*store, positionedWindows());
        positionsLoaded_ = true;
    }
    offerPacks(false);
}

void LauncherWindow::offerPacks(bool askAll)
{
    // The launcher keeps painting while an installer runs, but takes no clicks.
    setEnabled(false);
    puzzlepacks::OfferPuzzlePacks(program_, askAll);
    setEnabled(true);
}

void LauncherWindow::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
    emit closed();
}

void LauncherWindow::FormClose()
{
    SaveSettings(program_);
    if (const auto store = OpenSettingsStore(program_.paths.settingsFile))
        SaveWindowPositions(*store, positionedWindows());
}

void LauncherWindow::playChosenType()
{
    // The tune list is filled before the play window starts its music.
    if (desk_.options)
        desk_.options->ShowCurrentSettings();
    QWidget* chosen = desk_.playWindow(selectedType());
    if (!chosen)
        return;
    chosen->show();
    chosen->raise();
    chosen->activateWindow();
    hide();
    // Restored by the window manager after our own minimise, the native window still asks to
    // start minimised: without a fresh one the launcher would come back as an icon.
    if (minimisedByButton_) {
        minimisedByButton_ = false;
        setWindowState(windowState() & ~Qt::WindowMinimized);
        if (QWindow* handle = windowHandle())
            handle->destroy();
    }
}

void LauncherWindow::showAbout()
{
    if (AboutWindow* about = desk_.about)
        about->exec();
}

void LauncherWindow::minimise()
{
    showMinimized();
    minimisedByButton_ = true;
    rgpuzzletype->setFocus();
}

void LauncherWindow::offerMorePuzzles()
{
    offerPacks(true);
    if (MoreWindow* more = desk_.more)
        more->exec();
}

void LauncherWindow::Image1MouseDown(int x, int y)
{
    grabX_ = x;
    grabY_ = y;
    if (x > 6 && x < 591 && y > 6 && y < 31) {
        dragging_ = true;
        // A compositor moves windows itself: it is asked to, as for a title bar of its own.
        if (CurrentWindowPlacing() == WindowPlacing::byCompositor && windowHandle() && windowHandle()->startSystemMove())
            dragging_ = false;
    }
}

void LauncherWindow::Image1MouseMove(int, int, QPoint global)
{
    if (dragging_)
        move(global.x() - grabX_, global.y() - grabY_);
}

void LauncherWindow::Image1MouseUp()
{
    dragging_ = false;
}

bool LauncherWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton)
                Image1MouseDown(e->position().toPoint().x(), e->position().toPoint().y());
            return true;
        }
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            Image1MouseMove(e->position().toPoint().x(), e->position().toPoint().y(), e->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease:
            Image1MouseUp();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LauncherWindow::keyPressEvent(QKeyEvent* event)
{
    // OK is the default button: Enter on the type list starts the chosen puzzle; on another
    // button, Enter presses that one.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        if (button && button->isEnabled())
            button->click();
        else
            playChosenType();
        return;
    }
    QWidget::keyPressEvent(event);
}
