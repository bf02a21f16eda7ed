#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

// "Build Error": the words a build could not place, with the offer to build again.
class BuildErrorDialog : public QDialog {
    Q_OBJECT
public:
    // The results the window closes with.
    enum Result { Finish = QDialog::Accepted, Retry = 4 };

    explicit BuildErrorDialog(QWidget* parent = nullptr);

    void setMessage(const QString& message);
    QString message() const;
    void clearWords();
    void addWord(const QString& word);
    QStringList words() const; // as listed, sorted

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Lblmessage = nullptr;
    QLabel* label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* lbwords = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
