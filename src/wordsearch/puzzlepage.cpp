#include "wordsearch/puzzlepage.h"

#include "platform/fonts.h"
#include "printing/pagepicture.h"
#include "wordsearch/pagewindows_tmp.h"

#include <QLabel>

namespace {

constexpr int kBelowGridTops[15] = {344, 359, 374, 389, 403, 418, 433, 448, 463, 478, 493, 507, 522, 537, 552};
constexpr int kRightColumnTops[34] = {40,  56,  71,  87,  102, 118, 133, 149, 164, 180, 195, 211,
                                      226, 242, 257, 273, 288, 304, 319, 335, 350, 366, 381, 397,
                                      412, 428, 443, 459, 474, 490, 505, 521, 536, 552};

} // namespace

WordSearchPuzzlePage::WordSearchPuzzlePage(QWidget* parent) : QWidget(parent)
{
    using namespace wordsearch::pageparts;
    MakePageWindow(*this, QStringLiteral("fmpage"));
    lbltitle = MakeTitle(*this);
    immain = MakeFramedPicture(*this, 4, 38, &Panel1);
    for (int i = 0; i < kWordLabels; ++i) {
        int left = 312;
        int top = 0;
        if (i < 15) {
            left = 8;
            top = kBelowGridTops[i];
        } else if (i < 30) {
            left = 160;
            top = kBelowGridTops[i - 15];
        } else {
            top = kRightColumnTops[i - 30];
        }
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("l%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(left, top, 147, 13);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(fonts::sans(8));
        words[i] = label;
    }
    Label2 = MakeCredit(*this, 262, 187);
}
