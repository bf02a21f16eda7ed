#pragma once

#include <QDialog>

class Program;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Print": which pages to print and how many copies of each. The choices live in the program
// and start from one copy of the puzzle and no key at every opening.
class PrintOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintOptionsDialog(Program& program, QWidget* parent = nullptr);

    void cbpuzzleClick();
    void cbkeyClick();
    void takePuzzleCopies();
    void takeKeyCopies();
    void edpuzzleKeyPress();
    void edkeyKeyPress();
    void runPrinterSetup();
    // True when the dialogue may close; closing with OK needs a page ticked and a printer.
    bool FormCloseQuery(bool withOk);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void showPrinter();

    Program& program_;
    QLabel* Label1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* cbpuzzle = nullptr;
    QLabel* lblpuzzle = nullptr;
    QLineEdit* edpuzzle = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QCheckBox* cbkey = nullptr;
    QLabel* Lblkey = nullptr;
    QLineEdit* edkey = nullptr;
    QSpinBox* UpDown2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QLabel* lblprinter = nullptr;
};
