#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "Puzzle complete": shown modally by a play window when its puzzle is solved.
class WinnerDialog : public QDialog {
    Q_OBJECT
public:
    explicit WinnerDialog(QWidget* parent = nullptr);

    static constexpr int kWidth = 463;
    static constexpr int kHeight = 187;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};
