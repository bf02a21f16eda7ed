#include "cryptogram/printpages.h"

#include "cryptogram/inks.h"
#include "platform/fonts.h"

#include <QFontMetrics>

namespace cryptogram {
namespace {

using printing::PageItem;

// Only a to z: other letters of a name keep their case on paper.
QString capitalised(const QString& name)
{
    QString text = name;
    for (QChar& c : text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return text;
}

PageItem textItem(const QString& name, const QRect& rect, const QColor& ink, const QString& text, const QFont& font,
                  Qt::Alignment alignment)
{
    PageItem item;
    item.kind = PageItem::Kind::text;
    item.name = name;
    item.rect = rect;
    item.colour = ink;
    item.text = text;
    item.font = font;
    item.alignment = static_cast<int>(alignment);
    return item;
}

// What a print shows under the cipher symbol of plain: on the puzzle page the blank to fill in,
// or the plain symbol of the first starting hint for that cipher symbol.
char answerOnPuzzlePage(const Cryptogram& puzzle, char plain)
{
    const char cipher = Encipher(puzzle.key, plain);
    // Only a real symbol can match: unused pairs hold zero bytes.
    if (SymbolIndex(cipher) >= 0)
        for (int j = 0; j < kHintPairs; ++j)
            if (puzzle.hints[j] == cipher)
                return puzzle.hints[kHintPairs + j];
    return GuessPlaceholder(plain);
}

} // namespace

printing::PageLayout ComposePrintPage(const Cryptogram& puzzle, const QString& name, bool key)
{
    printing::PageLayout page;
    page.size = QSize(kPageWidth, kPageHeight);

    QString title = name.isEmpty() ? QStringLiteral("UNTITLED") : capitalised(name);
    if (key)
        title += name.isEmpty() ? QStringLiteral("   <KEY>") : QStringLiteral("  <KEY>");
    page.items << textItem(QStringLiteral("lbltitle"), QRect(13, 23, 668, 24), Qt::black, title, fonts::sans(16, true),
                           Qt::AlignHCenter | Qt::AlignTop);
    page.items << textItem(QStringLiteral("Label1361"), QRect(472, 880, 197, 13), Qt::black, printing::CreditLine(),
                           fonts::serif(11), Qt::AlignRight | Qt::AlignTop);

    const QPoint panel(64, 64);
    PageItem fill;
    fill.name = QStringLiteral("panpuzzle");
    fill.rect = QRect(panel, QSize(625, 809));
    fill.colour = Qt::white;
    page.items << fill;

    // Every cell is as wide as a capital W and one line high; columns are 4 pixels wider than
    // the cells, and each row of text takes three lines. A row's cells print as one line of
    // text in each ink.
    const QFont font = fonts::sans(11, true);
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(QLatin1Char('W'));
    const int h = metrics.height();
    for (int r = 0; r < kRows; ++r) {
        QString cipher;
        QString answer;
        for (int c = 0; c < kColumns; ++c) {
            const char plain = puzzle.text[r * kColumns + c];
            cipher += QChar::fromLatin1(Encipher(puzzle.key, plain));
            answer += QChar::fromLatin1(key ? plain : answerOnPuzzlePage(puzzle, plain));
        }
        const int top = panel.y() + 3 * (h * r + 8);
        PageItem cipherLine = textItem(QStringLiteral("cipherRow%1").arg(r), QRect(panel.x(), top - h, w, h), kCipherInk,
                                       cipher, font, Qt::AlignCenter);
        PageItem answerLine = textItem(QStringLiteral("answerRow%1").arg(r), QRect(panel.x(), top, w, h), kGuessInk,
                                       answer, font, Qt::AlignCenter);
        cipherLine.cellPitch = answerLine.cellPitch = w + 4;
        page.items << cipherLine << answerLine;
    }
    return page;
}

} // namespace cryptogram
