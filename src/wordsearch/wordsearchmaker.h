#pragma once

#include "wordsearch/state.h"

#include "wordsearch/builder.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>

class Program;
struct Windows;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QFrame;
class NameDialog;

// The word-search generator: the word list typed row by row on the left, the build with its
// progress on the right. Run modally by the play window; built() tells it whether a build ended.
class WordSearchMaker : public QDialog, private wordsearch::BuildProgress {
    Q_OBJECT
public:
    WordSearchMaker(Program& program, Windows& windows, wordsearch::WordSearchState& state, QWidget* parent = nullptr);
    ~WordSearchMaker() override;

    bool built() const { return built_; }
    QStringList rows() const;
    // The status line is red: the list holds more than 280 letters.
    bool overLimit() const;
    bool building() const;
    int gaugeValue() const { return gaugeValue_; }
    int gaugeMaximum() const { return gaugeMaximum_; }

    static constexpr int kMaxRows = 64;
    static constexpr int kMaxLetters = 280;
    static constexpr int kMaxWordLength = 10;
    static constexpr std::uint32_t kGreen = 32768;
    static constexpr std::uint32_t kOlive = 32896;
    static constexpr std::uint32_t kRed = 255;
    static constexpr std::uint32_t kSingleLetter = 13633876;
    static constexpr int kBuildRetry = 4;

    // List editing.
    void UpdateStatus();
    int EnsureRow();
    void CommitRow(int index, const QString& text);
    void SwitchRow(int newIndex);
    void ResetGenerator();
    void cwordsClick(int row);
    void cwordsDblClick(int row);
    void cwordsKeyUp(int key);
    void einputChange();
    void btnclearClick();

    // The build.
    void btnBuildClick();
    void btnmenuClick();
    bool CheckContainedWords();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    // True when the key is taken care of and must not reach the edit field.
    bool einputKeyPress(QKeyEvent* event);

    // The program's changes of the edit field also run einputChange; quietly skips it.
    void setInputText(const QString& text, bool quietly = false);
    void selectRow(int row);
    int selectedRow() const;
    QString rowText(int row) const;
    void setRowText(int row, const QString& text);
    int findRow(const QString& text) const;
    void setStatus(const QString& text, std::uint32_t colour);
    void refuseSingleLetter();
    void setGauge(int value);
    void setGaugeMaximum(int maximum);
    void drawGauge();
    void setBuildingState(bool on);
    void restoreCursor();

    // BuildProgress: the running build reports here and asks whether Cancel was chosen.
    void wordStarted(const QString& word) override;
    void fillStarted() override;
    void progressChanged(int value) override;
    void gaugeChanged(int value) override;
    bool cancelRequested() override { return cancel_; }

    Program& program_;
    Windows& windows_;
    wordsearch::WordSearchState& state_;

    QFrame* Panel2 = nullptr;
    QListWidget* cwords = nullptr;
    QLabel* gStatus = nullptr;
    QLineEdit* einput = nullptr;
    QPushButton* btnclear = nullptr;
    QPushButton* btnBuild = nullptr;
    QPushButton* btnmenu = nullptr;
    QPushButton* btnclose = nullptr;
    QProgressBar* pbprogress = nullptr;
    QLabel* lblcaption = nullptr;
    QLabel* lblword = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Gauge1 = nullptr;
    NameDialog* sd1 = nullptr;

    int editedRow_ = -1;
    QString savedText_;
    bool built_ = false;
    bool buildErrorShown_ = false;
    QString nameOnShow_;
    std::uint32_t statusColour_ = kGreen;
    int gaugeValue_ = 0;
    int gaugeMaximum_ = 100;
    bool cancel_ = false;
    bool cursorSet_ = false;
    int quietList_ = 0;    // > 0 while the program itself changes the list's selection
    bool quietInput_ = false;
};
