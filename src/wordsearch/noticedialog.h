#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

// "Notice": words of the list that stand inside other words. Continue builds anyway (Accepted),
// Back or Escape returns to the list (Rejected).
class NoticeDialog : public QDialog {
    Q_OBJECT
public:
    explicit NoticeDialog(QWidget* parent = nullptr);

    void clearLines();
    void addLine(const QString& line);
    QStringList lines() const; // as listed, sorted

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QListWidget* lbone = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
