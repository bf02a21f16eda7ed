#include "shell/aboutwindow.h"

#include "controls/placement.h"
#include "platform/fonts.h"
#include "platform/linkopener.h"
#include "shell/program.h"
#include "shell/instructionswindow.h"
#include "shell/version.h"
#include "shell/desk.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* LinkLabel(const QString& name, const QString& text, QWidget* parent, const QRect& geometry)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

AboutWindow::AboutWindow(Program& program, Desk& desk, LinkOpener& links, QWidget* parent)
    : QDialog(parent), program_(program), desk_(desk), links_(links)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Brainloft"));
    setFixedSize(330, 262);
    setFont(fonts::sans(11));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(8, 8, 314, 206);
    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(12, 12, 64, 64);
    icon->setPixmap(QPixmap(QStringLiteral(":/artwork/programicon.png")));
    QLabel* product = placement::MakeLabel(QStringLiteral("Brainloft"), QStringLiteral("ProductName"), panel,
                                           QRect(92, 14, 200, 24), false, 20);
    product->setFont(fonts::sans(20, true));
    placement::MakeLabel(QStringLiteral("Version ") + ProgramVersion(), QStringLiteral("Version"), panel,
                         QRect(92, 44, 200, 16), false, 12);
    placement::MakeLabel(QStringLiteral("Make, play and print word searches, cryptograms, mazes and picture puzzles."),
                         QStringLiteral("Copyright"), panel, QRect(12, 88, 290, 34), true, 12);
    placement::MakeLabel(QStringLiteral("Oakhollow Software. Visit us for news and more puzzles:"),
                         QStringLiteral("Comments"), panel, QRect(12, 126, 290, 34), true, 12);
    QLabel* home = LinkLabel(QStringLiteral("Label8"), QStringLiteral("www.oakhollow.example"), panel, QRect(12, 158, 200, 18));
    connect(home, &QLabel::linkActivated, this, &AboutWindow::openHomePage);
    auto* check = new QPushButton(QStringLiteral("Check for new version"), panel);
    check->setObjectName(QStringLiteral("BitBtn3"));
    check->setGeometry(150, 176, 156, 24);
    connect(check, &QPushButton::clicked, this, &AboutWindow::checkForUpdates);

    auto* instructions = new QPushButton(QStringLiteral("Instructions"), this);
    instructions->setObjectName(QStringLiteral("BitBtn1"));
    instructions->setGeometry(140, 226, 96, 27);
    instructions->setDefault(true);
    connect(instructions, &QPushButton::clicked, this, &AboutWindow::showInstructions);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn2"));
    ok->setGeometry(246, 226, 75, 27);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutWindow::showInstructions()
{
    program_.activePuzzleType = 0;
    if (InstructionsWindow* instructions = desk_.instructions)
        instructions->exec();
    repaint();
    accept();
}

void AboutWindow::checkForUpdates()
{
    links_.open(QUrl(UpdateAddress()));
}

void AboutWindow::openHomePage()
{
    links_.open(QUrl(HomePage()));
}
