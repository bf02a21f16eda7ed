#include "wordsearch/noticedialog.h"

#include "controls/placement.h"
#include "platform/fonts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kWidth = 376;
constexpr int kHeight = 251;

using placement::MakeLabel;

} // namespace

NoticeDialog::NoticeDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fmnotice"));
    setWindowTitle(QStringLiteral("Notice"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    Label1 = MakeLabel(QStringLiteral("One or more words you entered are contained within another word in your list. "
                                      "This will not prevent 'Brainloft' from building you puzzle however it will "
                                      "cause the same word to appear in your puzzle more than once."),
                       QStringLiteral("Label1"), this, QRect(10, 8, 356, 46), true);
    Label5 = MakeLabel(QStringLiteral("Words that are contained within other words are listed below:"),
                       QStringLiteral("Label5"), this, QRect(10, 58, 356, 16), false);
    Label5->setFont(fonts::sans(11, true));

    lbone = new QListWidget(this);
    lbone->setObjectName(QStringLiteral("lbone"));
    lbone->setGeometry(10, 78, 356, 74);
    lbone->setFrameShape(QFrame::NoFrame);
    lbone->setSortingEnabled(true);
    lbone->setFont(fonts::sans(11));
    lbone->setFocusPolicy(Qt::NoFocus);
    QPalette palette = lbone->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    lbone->setPalette(palette);

    Label7 = MakeLabel(QStringLiteral("To build your puzzle with the word list the way it is, click <Continue>. To go "
                                      "back and change the words that are contained in your list click <Back>."),
                       QStringLiteral("Label7"), this, QRect(10, 158, 356, 48), true);

    BitBtn1 = new QPushButton(QStringLiteral("Continue"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(196, 213, 82, 28);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn2 = new QPushButton(QStringLiteral("Back"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(284, 213, 82, 28);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void NoticeDialog::clearLines()
{
    lbone->clear();
}

void NoticeDialog::addLine(const QString& line)
{
    lbone->addItem(line);
}

QStringList NoticeDialog::lines() const
{
    QStringList out;
    for (int i = 0; i < lbone->count(); ++i)
        out << lbone->item(i)->text();
    return out;
}

void NoticeDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        placement::CentreOnScreen(this);
        BitBtn2->setFocus();
    }
    QDialog::showEvent(event);
}
