#pragma once

#include "cryptogram/cryptogram.h"

#include <QDialog>
#include <array>

class Program;
struct Desk;
class QLabel;
class QLineEdit;
class QPushButton;
class NameDialog;

namespace cryptogram {
struct CryptogramState;
}

// "Crypt maker": the text of a cryptogram typed as up to 20 lines of 33 characters. Run modally
// by the play window; Accepted (build) only with a first line that is not blank.
class CryptogramMaker : public QDialog {
    Q_OBJECT
public:
    CryptogramMaker(Program& program, Desk& desk, cryptogram::CryptogramState& state, QWidget* parent = nullptr);

    static constexpr int kLines = 20;
    static constexpr int kWidth = 312;
    static constexpr int kHeight = 508;

    // Line n, 1 to 20.
    QLineEdit* line(int n) const { return lines_[n - 1]; }
    QString lineText(int n) const;
    // The 20 lines as the cryptogram takes them: one Latin-1 byte a character.
    cryptogram::MakerLines makerLines() const;
    // The line whose text changed last, 1 to 20; 0 before any change.
    int currentLine() const { return currentLine_; }

    // Every character 32 or below; an empty line is blank too.
    static bool IsBlank(const QString& text);

    void FillMakerFromText(const cryptogram::CryptogramText& text);
    void CompactLines();
    void FocusFirstEmptyLine();
    void InsertBlankLine(int k);
    // A click on the empty line k goes to the first free line under the text above it.
    void moveToFreeLine(int k);
    // A press in any line closes the text up when the line changed last is blank.
    void compactIfCurrentLineBlank();
    void btnbuildClick();

    // After a build: a new key, the lines closed up into the text, hints at the skill level, then
    // the save flow with the play window's name dialogue. No at "Save puzzle" leaves it untitled.
    void BuildCryptogram(NameDialog& sd1, QWidget* playWindow);

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    int lineNumberOf(QObject* object) const;

    Program& program_;
    cryptogram::CryptogramState& state_;
    int currentLine_ = 0;

    QLabel* Label1 = nullptr;
    std::array<QLineEdit*, kLines> lines_{};
    QPushButton* btnbuild = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
