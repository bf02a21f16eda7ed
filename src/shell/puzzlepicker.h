#pragma once

#include <QDialog>
#include <QStringList>

class Program;
class PuzzleNameModel;
class QLabel;
class QListView;
class QPushButton;

// The picker "Select puzzle", shared by every puzzle type's open and edit flows.
class PuzzlePicker : public QDialog {
    Q_OBJECT
public:
    explicit PuzzlePicker(Program& program, QWidget* parent = nullptr);

    // Lists the files of folder matching mask ("*.wsp;*.wsd"); a file whose lower-cased
    // extension is packagedExtension shows in angle brackets.
    void listFolder(const QString& folder, const QString& mask, const QString& packagedExtension);

    // The plain files of folder that the user may read and whose names match one of the
    // wildcard masks without regard to case, hidden files left out, sorted by name without
    // regard to case.
    static QStringList matchingFiles(const QString& folder, const QStringList& masks);

    // The actual file name (with extension) of row i, or "" outside the list.
    QString fileAt(int row) const;
    int selectedRow() const;
    QStringList rows() const;

    void lbfilesClick();

    static constexpr int kNarrowWidth = 390;
    static constexpr int kWideWidth = 560;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void loadPreviews();
    void setPreviewsShown(bool shown);

    Program& program_;
    QString folder_;
    QStringList files_; // the actual file name (with extension) of each row
    PuzzleNameModel* names_ = nullptr;
    QListView* lbfiles = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QWidget* pnpreviewa = nullptr;
    QWidget* pnpreviewb = nullptr;
    QLabel* impreviewa = nullptr;
    QLabel* impreviewb = nullptr;
    QLabel* lblpreviewa = nullptr;
    QLabel* lblpreviewb = nullptr;
};
