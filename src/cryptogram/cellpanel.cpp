#include "cryptogram/cellpanel.h"

#include "cryptogram/game.h"
#include "cryptogram/inks.h"
#include "platform/fonts.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

using namespace cryptogram;

CellPanel::CellPanel(const CryptogramGame& game, QWidget* parent) : QWidget(parent), game_(game)
{
    setObjectName(QStringLiteral("panpuzzle"));
    setFont(fonts::sans(13, true));
    const QFontMetrics metrics(font());
    w_ = metrics.horizontalAdvance(QLatin1Char('W'));
    h_ = metrics.height();
}

QRect CellPanel::cipherRect(int p) const
{
    const int r = p / kColumns;
    const int c = p % kColumns;
    return QRect(w_ * c + 8, 3 * (h_ * r + 8) - h_, w_, h_);
}

QRect CellPanel::guessRect(int p) const
{
    const int r = p / kColumns;
    const int c = p % kColumns;
    return QRect(w_ * c + 8, 3 * (h_ * r + 8), w_, h_);
}

void CellPanel::drawCell(QPainter& painter, const QRect& cell, char c)
{
    const auto u = static_cast<unsigned char>(c);
    // Control bytes of a foreign file show as nothing.
    if (u <= 32 || (u >= 127 && u < 160))
        return;
    if (!prepared_[u]) {
        const QString text(QChar::fromLatin1(c));
        glyphs_[u].setText(text);
        glyphs_[u].setTextFormat(Qt::PlainText);
        glyphs_[u].prepare(QTransform(), font());
        advances_[u] = QFontMetrics(font()).horizontalAdvance(text);
        prepared_[u] = true;
    }
    painter.drawStaticText(cell.left() + (cell.width() - advances_[u]) / 2, cell.top(), glyphs_[u]);
}

void CellPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setFont(font());
    const QRect dirty = event->rect();
    for (int r = 0; r < kRows; ++r) {
        const int first = r * kColumns;
        const QRect rowBand = cipherRect(first).united(guessRect(first + kColumns - 1));
        if (!rowBand.intersects(dirty))
            continue;
        painter.setPen(kCipherInk);
        for (int p = first; p < first + kColumns; ++p)
            drawCell(painter, cipherRect(p), game_.cipherCell(p));
        painter.setPen(kGuessInk);
        for (int p = first; p < first + kColumns; ++p)
            drawCell(painter, guessRect(p), game_.guessCell(p));
    }
}
