#include "wordsearch/keypage.h"

#include "printing/pagepicture.h"
#include "wordsearch/pagewindows_tmp.h"

#include <QLabel>

WordSearchKeyPage::WordSearchKeyPage(QWidget* parent) : QWidget(parent)
{
    using namespace wordsearch::pageparts;
    MakePageWindow(*this, QStringLiteral("FmKey"));
    lbltitle = MakeTitle(*this);
    immain = MakeFramedPicture(*this, 76, 62, &Panel1);
    Label2 = MakeCredit(*this, 264, 185);
}
