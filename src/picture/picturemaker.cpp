#include "picture/picturemaker.h"

#include "controls/placement.h"
#include "controls/namedialog.h"
#include "picture/pictureloader.h"
#include "picture/picturekind.h"
#include "picture/puzzlebuild.h"
#include "picture/picturepreview.h"
#include "picture/tiles.h"
#include "platform/filenames.h"
#include "platform/messageboxes.h"
#include "platform/qtpicturechoice.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/desk.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

QtPictureChoice& platformChoice()
{
    static QtPictureChoice choice;
    return choice;
}

} // namespace

PictureMaker::PictureMaker(Program& program, Desk& desk, picture::PictureState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      program_(program), desk_(desk), state_(state), choice_(&platformChoice())
{
    setObjectName(QStringLiteral("fmpmaker"));
    setWindowTitle(QStringLiteral("Picture creator"));
    setFixedSize(750, 527);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("Click the load button to load a picture. The picture you select will be resized and shown in the preview below."));
    Label1->setGeometry(8, 8, 734, 18);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 34, 644, 484);
    Panel1->setStyleSheet(QStringLiteral("#Panel1 { border: 1px solid gray; }"));
    impreview = new QLabel(Panel1);
    impreview->setObjectName(QStringLiteral("impreview"));
    impreview->setGeometry(2, 2, 640, 480);

    const auto button = [this](QPushButton*& b, const char* name, const QString& text, int top) {
        b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(662, top, 80, 30);
    };
    button(BitBtn3, "BitBtn3", QStringLiteral("Load"), 40);
    button(BitBtn2, "BitBtn2", QStringLiteral("Build"), 80);
    button(BitBtn1, "BitBtn1", QStringLiteral("Close"), 488);
    BitBtn2->setDefault(true);
    connect(BitBtn3, &QPushButton::clicked, this, &PictureMaker::loadPicture);
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        buildPuzzle();
        done(QDialog::Accepted); // the button's modal result
    });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    sd1 = new NameDialog(this);
    sd1->setObjectName(QStringLiteral("sd1"));
    puzzlefiles::ConfigureNameDialog(*sd1);

    preview_ = picture::BlackPicture(picture::kCanvasWidth, picture::kCanvasHeight);
    showPreview();
}

PictureMaker::~PictureMaker() = default;

void PictureMaker::setPictureChoice(PictureChoice* choice)
{
    choice_ = choice ? choice : &platformChoice();
}

void PictureMaker::showPreview()
{
    impreview->setPixmap(QPixmap::fromImage(preview_));
}

void PictureMaker::loadPicture()
{
    const QString path = choice_->choosePicture(this, QStringLiteral("Open"), picture::PictureFileFilter());
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const picture::FittedPicture fitted = picture::LoadFittedPicture(path);
    QApplication::restoreOverrideCursor();
    if (fitted.status == picture::DecodeStatus::TooLarge) {
        program_.boxes.error(QString(), QStringLiteral("We are sorry but this picture is too large to load!"));
        return;
    }
    if (fitted.status != picture::DecodeStatus::Ok) {
        program_.boxes.error(QString(), QStringLiteral("We are sorry but this picture could not be loaded!"));
        return;
    }
    preview_ = fitted.canvas;
    showPreview();
    state_.pictureName = filenames::replaceExtension(QFileInfo(path).fileName(), QString());
}

void PictureMaker::buildPuzzle()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool built = picture::BuildPicturePuzzle(state_, preview_, program_.rng);
    QApplication::restoreOverrideCursor();
    if (!built) {
        built_ = 0;
        return;
    }
    built_ = 1;
    if (previewChanged)
        previewChanged();
    puzzlefiles::SaveAfterBuild(program_, *sd1, picture::PictureKind(program_, state_), state_.pictureName, this);
}

bool PictureMaker::FormCloseQuery(int result)
{
    if (built_ == 0) {
        built_ = 1;
        return false;
    }
    if (result == QDialog::Accepted)
        return true;
    if (!program_.boxes.question(QStringLiteral("Notice:"),
                                 QStringLiteral("If you close the Picture creator now your puzzle will\nnot be built! Are you sure you want to close now?")))
        return false;
    state_.pictureName.clear();
    return true;
}

void PictureMaker::done(int result)
{
    if (!FormCloseQuery(result))
        return;
    FormClose();
    QDialog::done(result);
}

void PictureMaker::showEvent(QShowEvent* event)
{
    if (!centred_)
        placement::CentreUnlessPlaced(this);
    centred_ = true;
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void PictureMaker::FormShow()
{
    built_ = 1;
    preview_ = picture::BlackPicture(picture::kCanvasWidth, picture::kCanvasHeight);
    showPreview();
}

void PictureMaker::FormClose()
{
    // The preview is cleared at the next showing anyway; the built tiles live in the state.
    preview_ = QImage();
    impreview->clear();
}
