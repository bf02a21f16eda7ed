#include "wordsearch/builderrordialog.h"

#include "controls/placement.h"
#include "platform/fonts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kWidth = 401;
constexpr int kHeight = 275;

using placement::MakeLabel;

} // namespace

BuildErrorDialog::BuildErrorDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fmbuilderror"));
    setWindowTitle(QStringLiteral("Build Error"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    Lblmessage = MakeLabel(QString(), QStringLiteral("Lblmessage"), this, QRect(8, 10, 200, 16), false);
    Lblmessage->setFont(fonts::sans(11, true));
    label2 = MakeLabel(QStringLiteral("that could not be placed in your puzzle."), QStringLiteral("label2"), this,
                       QRect(208, 10, 185, 16), false);
    Label3 = MakeLabel(QStringLiteral("We may be able to rebuild the puzzle and include the words that were skipped. If "
                                      "you would like for us to try and rebuild this puzzle, just click the Retry "
                                      "button. You may try to rebuild as many times as you like."),
                       QStringLiteral("Label3"), this, QRect(8, 34, 385, 44), true);
    Label4 = MakeLabel(QStringLiteral("If you continue to get this error or do not want to retry, click the finish "
                                      "button and the puzzle will be completed without the words that were unable "
                                      "to be placed."),
                       QStringLiteral("Label4"), this, QRect(8, 84, 385, 44), true);
    Label1 = MakeLabel(QStringLiteral("The words that were not placed are listed below."), QStringLiteral("Label1"), this,
                       QRect(8, 136, 385, 16), false);

    lbwords = new QListWidget(this);
    lbwords->setObjectName(QStringLiteral("lbwords"));
    lbwords->setGeometry(8, 156, 280, 109);
    lbwords->setSortingEnabled(true);
    lbwords->setFont(fonts::mono(14));

    BitBtn1 = new QPushButton(QStringLiteral("Retry"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(299, 156, 94, 30);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(Retry); });
    BitBtn2 = new QPushButton(QStringLiteral("&Finish"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(299, 194, 94, 30);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(Finish); });

    setMessage(QStringLiteral("We are sorry but there were 64 words"));
}

void BuildErrorDialog::setMessage(const QString& message)
{
    Lblmessage->setText(message);
    // label2 carries on the sentence right after the message, however long the message is.
    const int width = QFontMetrics(Lblmessage->font()).horizontalAdvance(message) + 4;
    Lblmessage->setGeometry(8, 10, width, 16);
    label2->setGeometry(8 + width, 10, kWidth - 8 - width - 4, 16);
}

QString BuildErrorDialog::message() const
{
    return Lblmessage->text();
}

void BuildErrorDialog::clearWords()
{
    lbwords->clear();
}

void BuildErrorDialog::addWord(const QString& word)
{
    lbwords->addItem(word);
}

QStringList BuildErrorDialog::words() const
{
    QStringList out;
    for (int i = 0; i < lbwords->count(); ++i)
        out << lbwords->item(i)->text();
    return out;
}

void BuildErrorDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        placement::CentreOnScreen(this);
        BitBtn1->setFocus();
    }
    QDialog::showEvent(event);
}
