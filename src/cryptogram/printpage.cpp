#include "cryptogram/printpage.h"

#include "cryptogram/printcells.h"
#include "platform/fonts.h"
#include "printing/pagelayout.h"

#include <QFontMetrics>
#include <QLabel>

using namespace cryptogram;

namespace {

void paintWhite(QWidget& w)
{
    w.setAutoFillBackground(true);
    QPalette palette = w.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    w.setPalette(palette);
}

// Only a to z: other letters of a name keep their case on paper.
QString capitalised(const QString& name)
{
    QString text = name;
    for (QChar& c : text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return text;
}

// A control byte of a foreign file prints as nothing, as it shows on screen.
QString cellText(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || (u >= 127 && u < 160))
        return QString();
    return QString(QChar::fromLatin1(c));
}

} // namespace

CryptogramPrintPage::CryptogramPrintPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fmcgpuzzle"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    resize(kDesignedWidth, kHeight);
    paintWhite(*this);
    setFont(fonts::sans(11, true));

    lbltitle = new QLabel(this);
    lbltitle->setObjectName(QStringLiteral("lbltitle"));
    lbltitle->setTextFormat(Qt::PlainText);
    lbltitle->setGeometry(13, 23, 668, 24);
    lbltitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lbltitle->setFont(fonts::sans(16, true));

    Label1361 = new QLabel(printing::CreditLine(), this);
    Label1361->setObjectName(QStringLiteral("Label1361"));
    Label1361->setTextFormat(Qt::PlainText);
    Label1361->setGeometry(472, 880, 197, 13);
    Label1361->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label1361->setFont(fonts::serif(11));

    panpuzzle = new QWidget(this);
    panpuzzle->setObjectName(QStringLiteral("panpuzzle"));
    panpuzzle->setGeometry(64, 64, 625, 809);
    paintWhite(*panpuzzle);
    panpuzzle->setFont(fonts::sans(11, true));
}

void CryptogramPrintPage::ComposePrintPage(const PrintCells& cells, const QString& kind, const Cryptogram& puzzle,
                                   const QString& name)
{
    resize(kComposedWidth, kHeight);

    // Every cell is as wide as a capital W and one line high; each row of text takes three.
    const QFontMetrics metrics(panpuzzle->font());
    const int w = metrics.horizontalAdvance(QLatin1Char('W'));
    const int h = metrics.height();
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const int p = r * kColumns + c;
            cells.printCipherLabels[p]->setGeometry(c * (w + 4), 3 * (h * r + 8) - h, w, h);
            cells.printAnswerLabels[p]->setGeometry(c * (w + 4), 3 * (h * r + 8), w, h);
        }

    const bool puzzlePage = kind == QLatin1String("Puzzle");
    if (puzzlePage)
        lbltitle->setText(name.isEmpty() ? QStringLiteral("UNTITLED") : capitalised(name));
    else
        lbltitle->setText(name.isEmpty() ? QStringLiteral("UNTITLED   <KEY>") : capitalised(name) + QStringLiteral("  <KEY>"));

    for (int p = 0; p < kCells; ++p) {
        const char plain = puzzle.text[p];
        const char cipher = Encipher(puzzle.key, plain);
        cells.printCipherLabels[p]->setText(cellText(cipher));
        char answer = plain;
        if (puzzlePage) {
            answer = GuessPlaceholder(plain);
            // Only a real symbol can match: unused pairs hold zero bytes.
            for (int j = 0; j < kHintPairs && SymbolIndex(cipher) >= 0; ++j)
                if (puzzle.hints[j] == cipher) {
                    answer = puzzle.hints[kHintPairs + j];
                    break;
                }
        }
        cells.printAnswerLabels[p]->setText(cellText(answer));
    }
}
