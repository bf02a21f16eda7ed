#pragma once

#include "cryptogram/cryptogram.h"
#include "cryptogram/game.h"
#include "cryptogram/state.h"
#include "shell/desk.h"
#include "shell/playwindow.h"
#include "shell/puzzlefiles.h"

#include <QWidget>
#include <array>

class Program;
struct Desk;
class CellPanel;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;
class NameDialog;

class CryptogramMaker;

// The cryptogram play window: it draws the game (the cipher rows with the player's guesses under
// them, and the key panel with one edit per cipher symbol) and forwards what the player types to
// it. Some symbols start solved and locked; a cheat reveals one more; a solved puzzle shows
// "Puzzle complete" and starts again.
class CryptogramWindow : public PlayWindow {
    Q_OBJECT
public:
    CryptogramWindow(Program& program, Desk& desk, QWidget* parent = nullptr);
    ~CryptogramWindow() override;

    // The current puzzle, shared with the maker.
    cryptogram::CryptogramState& state() { return state_; }
    // The maker, made on first use.
    CryptogramMaker& maker() { return *maker_; }

    static constexpr int kWidth = 745;
    static constexpr int kHeight = 525;

    cryptogram::CryptogramGame& game() { return game_; }
    // The key edit of CipherAlphabet[i].
    QLineEdit* keyEdit(int i) const { return keyEdits_[i]; }
    CellPanel* cells() const { return panpuzzle; }

    // Draws the game as it stands: the key edits take its guesses and locks, the cells repaint.
    void showGame();

    void btnNewClick();
    void BtnLoadClick();
    void editPuzzle();
    void btncheatClick();
    void btnprintClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildKeyPanel();
    void FormCreate();
    void FormShow() override;
    void FormClose() override;
    void updateCaption();
    // Runs the maker on the current lines; true when it closed with a build.
    bool runMaker();
    // Lets the user choose a puzzle file and loads it, passing through the empty state first.
    puzzlefiles::Pick pickAndLoad(bool forEditing);
    int keyEditIndex(QObject* object) const;
    // A key with text typed into the key edit of CipherAlphabet[i].
    void typeGuess(int i, const QString& typed);

    cryptogram::CryptogramState state_;
    OwnedWindow<CryptogramMaker> maker_;
    cryptogram::CryptogramGame game_;

    QWidget* panbuttons = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    CellPanel* panpuzzle = nullptr;
    QWidget* Panel1 = nullptr;
    NameDialog* sd1 = nullptr;
    std::array<QLineEdit*, cryptogram::kSymbols> keyEdits_{};

    QToolButton* btnNew = nullptr;
    QToolButton* BtnLoad = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* btncheat = nullptr;
    QToolButton* btnprint = nullptr;
    QToolButton* btnoptions = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* btnclose = nullptr;
};
