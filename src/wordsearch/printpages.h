#pragma once

#include "printing/pagelayout.h"
#include "wordsearch/gridpicture.h"
#include "wordsearch/puzzle.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

// The word search's two printed pages, laid out from the puzzle: the puzzle page with the title,
// the framed grid without highlights and every word in three columns, and the key page with
// the title and "<KEY>" and the framed key.
namespace wordsearch {

constexpr int kPageWidth = 455;
constexpr int kPageHeight = 585;
constexpr int kPageWords = 64;

// The words of a puzzle as the play window lists them: every word in a slot, sorted.
QStringList PageWords(const WordSearchPuzzle& puzzle);

// "UNTITLED" for a puzzle without a name, otherwise the name in capitals.
QString PageTitle(const QString& name);

// Both pages straight from a puzzle, drawn at the device's resolution: the grid's letters as
// text, the key's bars in the highlight colour as strokes under them.
printing::PageLayout PuzzlePage(const WordSearchPuzzle& puzzle, const QString& name);
printing::PageLayout KeyPage(const WordSearchPuzzle& puzzle, const QColor& highlight, const QString& name);

// The same pages around a grid picture (letters, or the answer key's picture), which prints at
// the picture's own 300 pixels. words fill the columns down, then across.
printing::PageLayout PuzzlePage(const QStringList& words, const QImage& letters, const QString& name);
printing::PageLayout KeyPage(const QImage& keyPicture, const QString& name);

} // namespace wordsearch
