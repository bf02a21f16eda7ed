#pragma once

#include "picture/state.h"

#include <QDialog>
#include <QImage>
#include <functional>

class PictureChoice;
class Program;
class QLabel;
class QPushButton;
class NameDialog;
struct Desk;

// "Picture creator": loads a picture into the 640 x 480 preview, builds the scrambled puzzle
// into the play window's board and offers to save it.
class PictureMaker : public QDialog {
    Q_OBJECT
public:
    PictureMaker(Program& program, Desk& desk, picture::PictureState& state, QWidget* parent = nullptr);
    ~PictureMaker() override;

    // A new puzzle's solved picture is in the state; set by the play window.
    std::function<void()> previewChanged;

    // Tests choose pictures through their own seam; the platform's dialogue otherwise.
    void setPictureChoice(PictureChoice* choice);

    // The fitted picture a build would cut: black until a picture is loaded.
    const QImage& preview() const { return preview_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadPicture();
    // Builds, hands the board to the play window and the preview, and offers to save.
    void buildPuzzle();
    bool FormCloseQuery(int result);
    void FormShow();
    void FormClose();
    void showPreview();

    Program& program_;
    Desk& desk_;
    picture::PictureState& state_;
    PictureChoice* choice_ = nullptr;
    QImage preview_;     // impreview's picture: the fitted canvas
    int built_ = 1;      // the close query's flag
    bool centred_ = false;

    QLabel* Label1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* impreview = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    NameDialog* sd1 = nullptr;
};
