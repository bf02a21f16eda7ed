#pragma once

#include "cryptogram/cryptogram.h"

#include <QString>
#include <QWidget>

class PrintCells;
class QLabel;

// The cryptogram's printed page, puzzle or key by turns: the title over the cipher rows with the
// blanks, the starting hints or the plain text under them. A white, borderless page window that
// is never shown.
class CryptogramPrintPage : public QWidget {
    Q_OBJECT
public:
    explicit CryptogramPrintPage(QWidget* parent = nullptr);

    static constexpr int kDesignedWidth = 724;
    static constexpr int kComposedWidth = 695;
    static constexpr int kHeight = 900;

    // Lays the cells out and fills them as the puzzle page ("Puzzle") or, for any other kind, the
    // key page, with the title from name. Only the puzzle's starting hints show on the puzzle page.
    void ComposePrintPage(const PrintCells& cells, const QString& kind, const cryptogram::Cryptogram& puzzle,
                          const QString& name);

    QLabel* lbltitle = nullptr;
    QLabel* Label1361 = nullptr;
    QWidget* panpuzzle = nullptr;
};
