#include "cryptogram/printcells.h"

#include "cryptogram/cellpanel.h"

#include <QLabel>

using namespace cryptogram;

namespace {

QLabel* makeCell(QWidget& panel, const QString& name, const QPalette& palette)
{
    auto* cell = new QLabel(&panel);
    cell->setObjectName(name);
    cell->setTextFormat(Qt::PlainText);
    cell->setAlignment(Qt::AlignCenter);
    cell->setPalette(palette);
    return cell;
}

QPalette inkPalette(const QWidget& panel, const QColor& ink)
{
    QPalette palette = panel.palette();
    palette.setColor(QPalette::WindowText, ink);
    return palette;
}

} // namespace

PrintCells::PrintCells(QWidget& panel)
{
    const QPalette navy = inkPalette(panel, CellPanel::kCipherColour);
    const QPalette maroon = inkPalette(panel, CellPanel::kGuessColour);
    for (int p = 0; p < kCells; ++p) {
        printCipherLabels[p] = makeCell(panel, QStringLiteral("printCipherLabels%1").arg(p), navy);
        printAnswerLabels[p] = makeCell(panel, QStringLiteral("printAnswerLabels%1").arg(p), maroon);
    }
}

PrintCells::~PrintCells()
{
    for (int p = 0; p < kCells; ++p) {
        delete printCipherLabels[p];
        delete printAnswerLabels[p];
    }
}
