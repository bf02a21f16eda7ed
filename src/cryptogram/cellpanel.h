#pragma once

#include <QStaticText>
#include <QWidget>
#include <array>

namespace cryptogram {
class CryptogramGame;
}

// The puzzle panel of the play window: the game's 660 cipher cells over its 660 guess cells,
// each as wide as a capital W and one character high, painted straight from the game.
class CellPanel : public QWidget {
    Q_OBJECT
public:
    explicit CellPanel(const cryptogram::CryptogramGame& game, QWidget* parent = nullptr);

    // Cell rectangles of position p = r * 33 + c, in panel coordinates.
    QRect cipherRect(int p) const;
    QRect guessRect(int p) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawCell(QPainter& painter, const QRect& cell, char c);

    const cryptogram::CryptogramGame& game_;
    int w_ = 0;
    int h_ = 0;
    // Laid out once per character: a full panel is 1320 characters a paint.
    std::array<QStaticText, 256> glyphs_;
    std::array<int, 256> advances_{};
    std::array<bool, 256> prepared_{};
};
