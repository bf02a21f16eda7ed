#pragma once

#include "cryptogram/cryptogram.h"

#include <array>

class QLabel;
class QWidget;

// The cells of one printed cryptogram: a cipher label and an answer label for every text
// position, children of the page's cell panel. They live for one press of the print button:
// made with this, freed when it goes.
class PrintCells {
public:
    explicit PrintCells(QWidget& panel);
    ~PrintCells();
    PrintCells(const PrintCells&) = delete;
    PrintCells& operator=(const PrintCells&) = delete;

    std::array<QLabel*, cryptogram::kCells> printCipherLabels{};
    std::array<QLabel*, cryptogram::kCells> printAnswerLabels{};
};
