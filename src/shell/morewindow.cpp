#include "shell/morewindow.h"

#include "controls/placement.h"
#include "platform/fonts.h"
#include "platform/linkopener.h"
#include "shell/version.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

MoreWindow::MoreWindow(LinkOpener& links, QWidget* parent) : QDialog(parent, Qt::Tool), links_(links)
{
    setObjectName(QStringLiteral("fmMore"));
    setWindowTitle(QStringLiteral("More puzzles"));
    setFixedSize(271, 127);
    setFont(fonts::sans(11));
    placement::MakeLabel(QStringLiteral("To find and download more puzzles go to"), QStringLiteral("Label1"), this,
                         QRect(10, 10, 251, 16), false, 12);
    auto* link = new QLabel(QStringLiteral("<a href=\"#\">www.oakhollow.example/software/</a>"), this);
    link->setObjectName(QStringLiteral("Label2"));
    link->setGeometry(10, 32, 251, 18);
    link->setAlignment(Qt::AlignCenter);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QLabel::linkActivated, this, &MoreWindow::openMorePuzzlesPage);
    placement::MakeLabel(QStringLiteral("and look in the 'Brainloft' section."), QStringLiteral("Label3"), this,
                         QRect(10, 56, 251, 16), false, 12);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(98, 90, 75, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void MoreWindow::openMorePuzzlesPage()
{
    links_.open(QUrl(SoftwarePage()));
}
