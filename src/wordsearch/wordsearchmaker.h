#pragma once

#include "shell/desk.h"
#include "wordsearch/state.h"

#include "wordsearch/builder.h"
#include "wordsearch/wordlisteditor.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class Program;
struct Desk;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QFrame;
class NameDialog;
class BuildErrorDialog;
class NoticeDialog;

// The word-search generator: the word list typed row by row on the left, the build with its
// progress on the right. Run modally by the play window; built() tells it whether a build ended.
// The list and its rules are a WordListEditor; the window shows it and forwards input.
class WordSearchMaker : public QDialog, private wordsearch::BuildProgress {
    Q_OBJECT
public:
    WordSearchMaker(Program& program, Desk& desk, wordsearch::WordSearchState& state, QWidget* parent = nullptr);
    ~WordSearchMaker() override;

    // Hides the play window's key when the maker opens; set by the play window.
    std::function<void()> hideKey;

    bool built() const { return built_; }
    const wordsearch::WordListEditor& wordList() const { return list_; }
    QStringList rows() const { return list_.rows(); }
    // The status line is red: the list holds more than 280 letters.
    bool overLimit() const { return list_.overLimit(); }
    bool building() const;
    int gaugeValue() const { return gaugeValue_; }
    int gaugeMaximum() const { return gaugeMaximum_; }

    // List editing.
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

    // Shows the list, the edit field and the status line as the model holds them.
    void showList();
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
    Desk& desk_;
    wordsearch::WordSearchState& state_;
    OwnedWindow<BuildErrorDialog> builderror_;
    OwnedWindow<NoticeDialog> notice_;

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

    wordsearch::WordListEditor list_;
    bool built_ = false;
    bool buildErrorShown_ = false;
    QString nameOnShow_;
    int gaugeValue_ = 0;
    int gaugeMaximum_ = 100;
    bool cancel_ = false;
    bool cursorSet_ = false;
    int quietList_ = 0;    // > 0 while the window itself changes the list
    bool quietInput_ = false;
};
