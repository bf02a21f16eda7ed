#include "shell/winnerdialog.h"

#include "platform/fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

WinnerDialog::WinnerDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FmWinner"));
    setWindowTitle(QStringLiteral("Puzzle complete"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(fonts::sans(16));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(16, 12, kWidth - 32, 92);
    Label1->setText(QStringLiteral(
        "Congratulations, You have now completed this puzzle. Let me be the first to tell you what a good job you "
        "did. Thank you for playing and remember, Brainloft has many different types of puzzles. Don't forget to "
        "try them all!"));

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(fonts::sans(13));
    Label2->setGeometry(16, 110, kWidth - 32, 20);
    Label2->setText(QStringLiteral("Your puzzle will now be reset and you will be returned to the main window."));

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry((kWidth - 80) / 2, 144, 80, 28);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void WinnerDialog::showEvent(QShowEvent* event)
{
    // Centred on the screen, not over whichever window opened it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
