#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "controls/scrollimage.h"
#include "picture/picturefiles.h"
#include "picture/playrules.h"
#include "picture/puzzlebuild.h"
#include "picture/picturepreview.h"
#include "picture/picturewindow.h"
#include "picture/picturemaker.h"
#include "picture/tiles.h"
#include "platform/picturechoice.h"
#include "platform/rng.h"
#include "samplepictures.h"
#include "shell/launcherwindow.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace picture;

namespace {

class ScriptedPictureChoice : public PictureChoice {
public:
    QString choosePicture(QWidget*, const QString&, const QString& filter) override
    {
        filters << filter;
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    QStringList paths;
    QStringList filters;
};

class PictureWindows : public ::testing::Test {
protected:
    PictureWindows()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(*tp.program);
        play = (&all->play<PictureWindow>(puzzletype::kPicture));
        maker = (&all->play<PictureWindow>(puzzletype::kPicture).maker());
        preview = (&all->play<PictureWindow>(puzzletype::kPicture).preview());
        maker->setPictureChoice(&choice);
        play->show();
        Settle();
    }
    ~PictureWindows() override
    {
        if (preview->isVisible())
            preview->close();
        if (play->isVisible())
            play->close();
    }

    PictureState& state() { return all->play<PictureWindow>(puzzletype::kPicture).state(); }
    QString samplePath(const QString& name, const QByteArray& bytes)
    {
        const QString path = tp.root.path() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    template <typename T> T* find(QWidget* w, const QString& name) { return w->findChild<T*>(name); }
    int cursorOf(const QString& name) { return find<QWidget>(play, name)->property("cursorIndex").toInt(); }
    bool labelShown(const QString& name) { return !find<QWidget>(play, name)->isHidden(); }
    void release(const QString& name) { QTest::mouseRelease(find<QWidget>(play, name), Qt::LeftButton, {}, QPoint(40, 40)); }
    static QImage grabbed(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Light letters on black: some pixel well away from black.
    static bool hasLetters(const QImage& image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) > 160)
                    return true;
        return false;
    }

    // Runs the maker from the play window; inside it, action drives the open maker.
    void runMaker(const std::function<void(QWidget*)>& action)
    {
        WhenModalNamed(QStringLiteral("fmpmaker"), action);
        find<QToolButton>(play, "btnNew")->click();
    }
    static void nameWhenAsked(const QString& name)
    {
        WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [name](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edText"));
            edit->selectAll();
            QTest::keyClicks(edit, name);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
    }
    void pick(const QString& row)
    {
        WhenModalNamed(QStringLiteral("fmfiles"), [row](QWidget* picker) {
            auto* list = picker->findChild<QListView*>(QStringLiteral("lbfiles"));
            const QModelIndexList items =
                list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, row, 1, Qt::MatchExactly);
            if (items.isEmpty()) {
                ADD_FAILURE() << "no row " << row.toStdString();
                picker->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
                return;
            }
            list->setCurrentIndex(items.first());
            picker->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        find<QToolButton>(play, "BtnLoad")->click();
    }
    void writeSet(const QString& stem, std::uint64_t seed)
    {
        PictureState built;
        Rng rng(seed);
        ASSERT_TRUE(BuildPicturePuzzle(built, FitPicture(samples::Checker(1280, 480)), rng));
        const PictureFileBytes files = EncodePictureFiles(built);
        const QByteArray* bytes[] = {&files.board, &files.cells, &files.answer};
        for (int i = 0; i < 3; ++i) {
            QFile f(tp.program->paths.puzzleFile(stem + QString::number(i + 1)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(*bytes[i]);
        }
    }

    TestProgram tp{9};
    ScriptedPictureChoice choice;
    std::unique_ptr<ProgramWindows> all;
    PictureWindow* play = nullptr;
    PictureMaker* maker = nullptr;
    PicturePreview* preview = nullptr;
};

} // namespace

TEST_F(PictureWindows, PlayWindowStartsEmptyAndOpensTheBlackPreview)
{
    EXPECT_EQ(play->windowTitle(), "Snapdoodle     ");
    EXPECT_EQ(tp.program->activePuzzleType, 1);
    EXPECT_EQ(cursorOf("imstore5"), kCursorDelete);
    // Every cell black with its "Empty" label: light letters in the cell's corner.
    const QImage board = grabbed(find<QWidget>(play, "p1"));
    EXPECT_EQ(board.pixel(6 + 70, 6 + 70), qRgb(0, 0, 0));
    EXPECT_TRUE(labelShown("pp48") && labelShown("Pane1"));
    EXPECT_TRUE(hasLetters(board.copy(6, 6, 36, 20)) && !hasLetters(board.copy(6, 30, 80, 50)));

    find<QToolButton>(play, "btnpicture")->click();
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(IsEmptyTile(preview->picture()));
    preview->setWindowState(Qt::WindowMinimized);
    find<QToolButton>(play, "btnpicture")->click(); // brings it back
    EXPECT_FALSE(preview->windowState() & Qt::WindowMinimized);
}

TEST_F(PictureWindows, PreviewFirstOpensFilledByThePicture)
{
    QImage red(640, 480, QImage::Format_RGB32);
    red.fill(Qt::red);
    preview->setPicture(red);
    preview->show();
    for (int i = 0; i < 100 && preview->frameGeometry().width() != PicturePreview::kFirstOuterWidth; ++i)
        QTest::qWait(10);
    EXPECT_EQ(preview->frameGeometry().width(), PicturePreview::kFirstOuterWidth);
    // The picture reaches both sides and the bottom: no empty strip beside it.
    const QImage shown = grabbed(preview);
    const int w = shown.width();
    const int h = shown.height();
    for (const QPoint at : {QPoint(1, 34), QPoint(w - 2, 34), QPoint(w - 2, h - 4), QPoint(w / 2, h - 4)})
        EXPECT_EQ(shown.pixel(at), qRgb(255, 0, 0)) << at.x() << "," << at.y() << " in " << w << "x" << h;
    // Shown again, it keeps the size it has.
    preview->close();
    preview->resize(250, 200);
    preview->show();
    QTest::qWait(100);
    EXPECT_EQ(preview->size(), QSize(250, 200));
}

TEST_F(PictureWindows, PreviewKeepsTheSizeStoredBoundsGave)
{
    preview->setProperty("autoCentre", false);
    preview->resize(300, 260);
    preview->show();
    QTest::qWait(100);
    EXPECT_EQ(preview->size(), QSize(300, 260));
}

TEST_F(PictureWindows, MakerRefusesBadPicturesWithTheirBoxes)
{
    choice.paths = {samplePath("huge.jpg", samples::WithJpegSize(samples::MakeJpeg(samples::Checker(16, 16)), 10001, 10000)),
                    samplePath("fake.jpg", QByteArray("\x89PNG\r\n\x1a\n", 8)), QString()};
    runMaker([&](QWidget* w) {
        auto* m = static_cast<PictureMaker*>(w);
        for (int i = 0; i < 3; ++i)
            find<QPushButton>(m, "BitBtn3")->click();
        EXPECT_TRUE(IsEmptyTile(m->preview()));
        // Build with nothing loaded is refused silently and the window stays.
        find<QPushButton>(m, "BitBtn2")->click();
        EXPECT_TRUE(m->isVisible());
        tp.boxes.answer({false, true});
        find<QPushButton>(m, "BitBtn1")->click(); // Notice: No
        EXPECT_TRUE(m->isVisible());
        find<QPushButton>(m, "BitBtn1")->click(); // Notice: Yes
    });
    EXPECT_FALSE(maker->isVisible());
    EXPECT_TRUE(state().pictureName.isEmpty());
    EXPECT_EQ(tp.boxes.texts(), (QStringList{"We are sorry but this picture is too large to load!",
                                             "We are sorry but this picture could not be loaded!",
                                             "If you close the Picture creator now your puzzle will\nnot be built! Are you sure you want to close now?",
                                             "If you close the Picture creator now your puzzle will\nnot be built! Are you sure you want to close now?"}));
    EXPECT_EQ(tp.boxes.titles().mid(2), (QStringList{"Notice:", "Notice:"}));
    EXPECT_TRUE(choice.filters.first().contains("*.jpeg"));
}

TEST_F(PictureWindows, BuildSaveAndPlay)
{
    choice.paths = {samplePath("Wide Lake.gif", samples::MakeGif({{samples::Checker(1280, 480)}}))};
    tp.boxes.answer({true});
    runMaker([&](QWidget* w) {
        find<QPushButton>(w, "BitBtn3")->click();
        EXPECT_EQ(state().pictureName, "Wide Lake");
        nameWhenAsked("Lake");
        find<QPushButton>(w, "BitBtn2")->click();
    });
    EXPECT_FALSE(maker->isVisible());
    EXPECT_EQ(tp.boxes.texts().last(), "Your puzzle has now been saved");
    EXPECT_EQ(play->windowTitle(), "Snapdoodle     Lake");
    for (const char* file : {"Lake.tlp1", "Lake.tlp2", "Lake.tlp3"})
        EXPECT_TRUE(QFile::exists(tp.program->paths.puzzleFile(file))) << file;
    EXPECT_EQ(preview->picture(), state().preview);

    // The board shows the pieces as built, with hands and without "Empty" labels.
    const auto tile = [](const QImage& t) { return t.convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(grabbed(find<QWidget>(play, "i9")), tile(state().boardTiles[9]));
    EXPECT_EQ(cursorOf("i9"), kCursorHand);
    EXPECT_FALSE(labelShown("pp9"));

    // A release over a cell lifts its piece into the first box; a click there selects it,
    // drawn inside its red and black frame.
    const QImage piece = state().boardTiles[10];
    release("i10");
    EXPECT_EQ(state().boxes[1], piece);
    EXPECT_TRUE(labelShown("pp10"));
    release("imstore1");
    EXPECT_EQ(state().selectedBox, 1);
    const QImage box = grabbed(find<QWidget>(play, "p4"));
    EXPECT_EQ(box.pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(box.copy(6, 6, 72, 72), tile(piece).copy(4, 4, 72, 72));
    EXPECT_EQ(cursorOf("i10"), kCursorDrop);
    // A press alone does nothing; the release over the cell drops.
    QTest::mousePress(find<QWidget>(play, "i10"), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(IsEmptyTile(state().boardTiles[10]));
    release("i10");
    EXPECT_EQ(grabbed(find<QWidget>(play, "i10")), tile(piece));
    EXPECT_TRUE(find<QWidget>(play, "imsel1")->isHidden());
    EXPECT_TRUE(labelShown("Pane1"));

    // Closing gives the board's pictures back; the preview keeps its own, colours and all.
    const QImage solved = state().preview;
    play->close();
    EXPECT_TRUE(state().boardTiles[10].isNull());
    EXPECT_EQ(preview->picture(), solved);
    EXPECT_EQ(preview->picture().format(), QImage::Format_RGB32);
}

TEST_F(PictureWindows, LoadPackagedPuzzleKeepsBoxesAndClosesPreview)
{
    writeSet("house.tld", 4);
    state().boxes[3] = XTile();
    preview->show();
    pick("<house>");
    EXPECT_EQ(play->windowTitle(), "Snapdoodle     house");
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(preview->picture().copy(0, 0, 80, 80), XTile()); // scenery shows the X tile
    EXPECT_EQ(state().boxes[3], XTile());
    EXPECT_EQ(cursorOf("imstore3"), kCursorPickup);
    EXPECT_EQ(cursorOf("i9"), kCursorHand);
}

TEST_F(PictureWindows, FailedLoadWarnsAndEmptiesTheBoard)
{
    writeSet("broken.tlp", 5);
    QFile::remove(tp.program->paths.puzzleFile("broken.tlp3"));
    state().boxes[1] = XTile();
    const QImage before = preview->picture();
    pick("broken");
    EXPECT_EQ(tp.boxes.titles(), QStringList{"Load error"});
    EXPECT_EQ(tp.boxes.texts(), QStringList{"We are sorry but this puzzle could not be loaded!"});
    EXPECT_EQ(play->windowTitle(), "Snapdoodle     ");
    EXPECT_TRUE(IsEmptyTile(state().boxes[1]));
    EXPECT_TRUE(labelShown("pp20"));
    EXPECT_EQ(preview->picture(), before);
}

TEST_F(PictureWindows, LauncherRoundTrip)
{
    play->close();
    LauncherWindow* launcher = all->desk().launcher;
    launcher->show();
    launcher->findChild<QRadioButton*>("rgpuzzletype_0")->click();
    launcher->findChild<QAbstractButton*>("ColorBtn1")->click();
    Settle();
    EXPECT_TRUE(play->isVisible());
    EXPECT_FALSE(launcher->isVisible());
    find<QToolButton>(play, "btnclose")->click();
    EXPECT_FALSE(play->isVisible());
    EXPECT_TRUE(launcher->isVisible());
    launcher->hide();
}
