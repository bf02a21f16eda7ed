#include "wordsearch/pagewindows_tmp.h"

#include "platform/fonts.h"
#include "printing/pagelayout.h"
#include "printing/pagepicture.h"
#include "wordsearch/gridpicture.h"
#include "wordsearch/keypage.h"
#include "wordsearch/puzzlepage.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace wordsearch {

namespace {

QImage FramedOld(const QImage& picture)
{
    QImage framed = BlankPicture();
    QPainter painter(&framed);
    if (!picture.isNull())
        painter.drawImage(QPoint(0, 0), picture);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(0, 0, kPicturePixels - 1, 0);
    painter.drawLine(kPicturePixels - 1, 0, kPicturePixels - 1, kPicturePixels - 1);
    painter.drawLine(kPicturePixels - 1, kPicturePixels - 1, 0, kPicturePixels - 1);
    painter.drawLine(0, kPicturePixels - 1, 0, 0);
    return framed;
}

} // namespace

void PreparePrintPages(WordSearchPuzzlePage& page, WordSearchKeyPage& key, const QStringList& words, const QImage& puzzlePicture,
                       const QImage& keyPicture, const QString& name)
{
    for (QLabel* label : page.words)
        label->clear();
    for (int i = 0; i < WordSearchPuzzlePage::kWordLabels && i < words.size(); ++i)
        page.words[i]->setText(words[i]);

    page.immain->setPicture(FramedOld(puzzlePicture));
    key.immain->setPicture(FramedOld(keyPicture));

    const QString title = name.isEmpty() ? QStringLiteral("UNTITLED") : name.toUpper();
    page.lbltitle->setText(title);
    key.lbltitle->setText(title + QStringLiteral("   <KEY>"));
}

namespace pageparts {

void MakePageWindow(QWidget& page, const QString& objectName)
{
    page.setObjectName(objectName);
    page.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    page.setFixedSize(kPageWidth, kPageHeight);
    page.setAutoFillBackground(true);
    QPalette palette = page.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    page.setPalette(palette);
}

QLabel* MakeTitle(QWidget& page)
{
    auto* title = new QLabel(&page);
    title->setObjectName(QStringLiteral("lbltitle"));
    title->setTextFormat(Qt::PlainText);
    title->setGeometry(4, 8, 446, 13);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setFont(fonts::sans(11)); // 8 points
    return title;
}

PagePicture* MakeFramedPicture(QWidget& page, int left, int top, QWidget** panel)
{
    auto* frame = new QWidget(&page);
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setGeometry(left, top, 304, 304);
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, Qt::black);
    frame->setPalette(palette);
    *panel = frame;

    auto* picture = new PagePicture(frame);
    picture->setObjectName(QStringLiteral("immain"));
    picture->setGeometry(2, 2, kPicturePixels, kPicturePixels);
    picture->setPicture(BlankPicture());
    return picture;
}

QLabel* MakeCredit(QWidget& page, int left, int width)
{
    auto* credit = new QLabel(printing::CreditLine(), &page);
    credit->setObjectName(QStringLiteral("Label2"));
    credit->setTextFormat(Qt::PlainText);
    credit->setGeometry(left, 570, width, 11);
    credit->setAlignment(Qt::AlignRight | Qt::AlignTop);
    credit->setFont(fonts::serif(9)); // 7 points
    return credit;
}

} // namespace pageparts
} // namespace wordsearch
