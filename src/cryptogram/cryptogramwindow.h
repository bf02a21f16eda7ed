#pragma once

#include "shell/playwindow.h"
#include "cryptogram/cryptogram.h"

#include <QWidget>
#include <array>

class Program;
struct Windows;
class CellPanel;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;
class NameDialog;

namespace cryptogram {
struct CryptogramState;
}

// The cryptogram play window: the cipher rows with the player's guesses under them, and the key
// panel with one edit per cipher symbol. Some symbols start solved and locked; a cheat reveals
// one more; a solved puzzle shows "Puzzle complete" and starts again.
class CryptogramWindow : public PlayWindow {
    Q_OBJECT
public:
    CryptogramWindow(Program& program, Windows& windows, cryptogram::CryptogramState& state, QWidget* parent = nullptr);

    static constexpr int kWidth = 745;
    static constexpr int kHeight = 525;

    // The key edit of CipherAlphabet[i].
    QLineEdit* keyEdit(int i) const { return keyEdits_[i]; }
    CellPanel* cells() const { return panpuzzle; }
    NameDialog* nameDialog() const { return sd1; }

    void ClearDisplay();
    void ShowCipherText();
    void SetKeyEditsEnabled(bool on);
    void ApplyStartingHints();
    void RefreshGuesses();
    void CheckCompleted();
    void RevealOneSymbol();

    void btnNewClick();
    void BtnLoadClick();
    void SpeedButton4Click();
    void btncheatClick();
    void btnprintClick();

    // The guess typing of the key edit of CipherAlphabet[i] for the typed text.
    void edaKeyPress(int i, const QString& typed);
    // Delete released in that edit.
    void edaKeyUp(int i);

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
    // Shows the puzzle in the state: cipher text, hints locked, the rest open.
    void showBuiltPuzzle();
    // Empty window, no puzzle, no name.
    void emptyWindow();
    enum class Pick { nothing, failed, loaded };
    // Lets the user choose a puzzle file and loads it, passing through the empty state first.
    Pick pickAndLoad(bool forEditing);
    int keyEditIndex(QObject* object) const;

    cryptogram::CryptogramState& state_;
    bool restarting_ = false; // the puzzle is starting again after a win

    QWidget* panbuttons = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    CellPanel* panpuzzle = nullptr;
    QWidget* Panel1 = nullptr;
    NameDialog* sd1 = nullptr;
    std::array<QLineEdit*, cryptogram::kSymbols> keyEdits_{};
    std::array<QLabel*, cryptogram::kSymbols> symbolLabels_{};

    QToolButton* btnNew = nullptr;
    QToolButton* BtnLoad = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* btncheat = nullptr;
    QToolButton* btnprint = nullptr;
    QToolButton* btnoptions = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* btnclose = nullptr;
};
