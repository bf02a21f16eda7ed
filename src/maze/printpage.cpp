#include "maze/printpage.h"

#include "maze/mazepicture.h"
#include "platform/fonts.h"
#include "printing/pagelayout.h"
#include "printing/pagepicture.h"

#include <QLabel>
#include <QPainter>

MazePrintPage::MazePrintPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fmmazeprint"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);

    lblname = new QLabel(this);
    lblname->setObjectName(QStringLiteral("lblname"));
    lblname->setTextFormat(Qt::PlainText);
    lblname->setGeometry(8, 24, 601, 20);
    lblname->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblname->setFont(fonts::sans(16, true));

    imprint = new PagePicture(this, /*stretch=*/true);
    imprint->setObjectName(QStringLiteral("imprint"));
    imprint->setGeometry(8, 72, 600, 600);
    imprint->setPicture(maze::BlankMazePicture(maze::kEasy));

    Label2 = new QLabel(printing::CreditLine(), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setGeometry(308, 684, 300, 11);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label2->setFont(fonts::serif(9));
}

void MazePrintPage::FillPrintPage(const QString& kind, const QString& name, int n, const QImage& mazePicture,
                                 const QImage& keyPicture)
{
    QImage picture = maze::BlankMazePicture(n);
    const bool key = kind == QLatin1String("key");
    const QString title = name.isEmpty() ? QStringLiteral("UNTITLED") : name;
    lblname->setText(key ? title + QStringLiteral("   <KEY>") : title);
    const QImage& source = key ? keyPicture : mazePicture;
    if (!source.isNull()) {
        QPainter painter(&picture);
        painter.drawImage(QPoint(0, 0), source);
    }
    imprint->setPicture(picture);
}
