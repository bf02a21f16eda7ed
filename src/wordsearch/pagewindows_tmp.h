#pragma once

#include "wordsearch/printpages.h"

#include <QImage>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;
class PagePicture;
class WordSearchPuzzlePage;
class WordSearchKeyPage;

namespace wordsearch {

// Fills both print pages: the words down the three columns, the grid's letters and the key
// picture each in a one-pixel black frame, and the titles from the puzzle's name.
void PreparePrintPages(WordSearchPuzzlePage& page, WordSearchKeyPage& key, const QStringList& words, const QImage& puzzlePicture,
                       const QImage& keyPicture, const QString& name);

// Shared by both pages: the white borderless window, its labels and its framed picture.
namespace pageparts {
void MakePageWindow(QWidget& page, const QString& objectName);
QLabel* MakeTitle(QWidget& page);
PagePicture* MakeFramedPicture(QWidget& page, int left, int top, QWidget** panel);
QLabel* MakeCredit(QWidget& page, int left, int width);
} // namespace pageparts

} // namespace wordsearch
