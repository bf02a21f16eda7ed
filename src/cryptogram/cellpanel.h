#pragma once

#include "cryptogram/cryptogram.h"

#include <QColor>
#include <QStaticText>
#include <QWidget>
#include <array>

// The puzzle panel of the play window: 660 cipher cells over 660 guess cells, each as wide as a
// capital W and one character high, painted from two arrays rather than made of 1320 labels.
class CellPanel : public QWidget {
    Q_OBJECT
public:
    explicit CellPanel(QWidget* parent = nullptr);

    static const QColor kCipherColour; // navy
    static const QColor kGuessColour;  // maroon

    char cipher(int p) const { return cipher_[p]; }
    char guess(int p) const { return guess_[p]; }
    void setCipher(int p, char c) { cipher_[p] = c; }
    void setGuess(int p, char c) { guess_[p] = c; }
    // Every cell a single blank.
    void clearCells();
    // Schedules a repaint of the cells.
    void refresh() { update(); }

    int cellWidth() const { return w_; }
    int cellHeight() const { return h_; }
    // Cell rectangles of position p = r * 33 + c, in panel coordinates.
    QRect cipherRect(int p) const;
    QRect guessRect(int p) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawCell(QPainter& painter, const QRect& cell, char c);

    std::array<char, cryptogram::kCells> cipher_{};
    std::array<char, cryptogram::kCells> guess_{};
    int w_ = 0;
    int h_ = 0;
    // Laid out once per character: a full panel is 1320 characters a paint.
    std::array<QStaticText, 256> glyphs_;
    std::array<int, 256> advances_{};
    std::array<bool, 256> prepared_{};
};
