#include "controls/namedialog.h"
#include "shell/puzzlefiles.h"
#include "shell/puzzlepicker.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using puzzlefiles::SaveResult;

// A type shaped like the word search: user and packaged files, one file a puzzle.
PuzzleKind wordSearchLike()
{
    PuzzleKind kind;
    kind.userExtension = ".wsp";
    kind.packagedExtension = ".wsd";
    kind.listingMask = "*.wsp;*.wsd";
    return kind;
}

const char* const kSaveQuestion = "Your puzzle has now been built. If you would like to be\n"
                                  "able to load and play this puzzle at a later time, you\n"
                                  "should save it now. Do you want to save this puzzle?";

// Answers the coming name dialogues in turn: a name is typed and confirmed with OK, an empty
// string confirms an empty field, and "<cancel>" presses Cancel.
void answerNames(QStringList answers)
{
    if (answers.isEmpty())
        return;
    WhenModalNamed("TokStringDialogWindow", [answers](QWidget* dialog) mutable {
        const QString answer = answers.takeFirst();
        answerNames(answers);
        auto* edit = dialog->findChild<QLineEdit*>("edText");
        if (answer == "<cancel>") {
            dialog->findChild<QPushButton*>("btnCancel")->click();
            return;
        }
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, answer);
        dialog->findChild<QPushButton*>("btnOK")->click();
    });
}

class SaveFlowTest : public ::testing::Test {
protected:
    SaveFlowTest()
    {
        puzzlefiles::ConfigureNameDialog(sd1);
        kind = wordSearchLike();
        kind.writer = [this](const QString& name) {
            written << name;
            if (failWrites)
                return -1;
            QFile f(t.puzzleFile(name + ".wsp"));
            return f.open(QIODevice::WriteOnly) && f.write("puzzle") == 6 ? 0 : -1;
        };
    }

    TestProgram t;
    NameDialog sd1;
    PuzzleKind kind;
    QStringList written;
    bool failWrites = false;
    QString name = "Old";
};

} // namespace

TEST_F(SaveFlowTest, NoSavesNothing)
{
    t.boxes.answer({false});
    EXPECT_EQ(SaveResult::Declined, puzzlefiles::SaveAfterBuild(*t.program, sd1, kind, name, nullptr));
    ASSERT_EQ(t.boxes.boxes.size(), 1);
    EXPECT_EQ(t.boxes.boxes[0].title, "Save puzzle");
    EXPECT_EQ(t.boxes.boxes[0].text, kSaveQuestion);
    EXPECT_TRUE(written.isEmpty());
    EXPECT_EQ(name, "Old");
}

TEST_F(SaveFlowTest, NameDialogueIsSetUpAndOffersTheCurrentName)
{
    EXPECT_EQ(sd1.Caption(), "Puzzle name");
    EXPECT_EQ(sd1.Prompt(), "Please enter a name for your puzzle.");
    EXPECT_EQ(sd1.MaxLength(), 30);
    EXPECT_EQ(sd1.DialogType(), sddFileName);

    t.boxes.answer({true});
    QString offered;
    WhenModalNamed("TokStringDialogWindow", [&](QWidget* dialog) {
        offered = dialog->findChild<QLineEdit*>("edText")->text();
        dialog->findChild<QPushButton*>("btnOK")->click();
    });
    EXPECT_EQ(SaveResult::Saved, puzzlefiles::SaveAfterBuild(*t.program, sd1, kind, name, nullptr));
    EXPECT_EQ(offered, "Old");
    EXPECT_EQ(written, QStringList{"Old"});
}

TEST_F(SaveFlowTest, EmptyNameIsRefusedThenTheNameIsSaved)
{
    t.boxes.answer({true});
    answerNames({"", "Spring"});
    EXPECT_EQ(SaveResult::Saved, puzzlefiles::SaveAfterBuild(*t.program, sd1, kind, name, nullptr));
    EXPECT_EQ(t.boxes.titles(), QStringList({"Save puzzle", "Name needed", "Brainloft"}));
    EXPECT_EQ(t.boxes.boxes[1].kind, "warning");
    EXPECT_EQ(t.boxes.boxes[1].text, "You must enter a name to continue!");
    EXPECT_EQ(t.boxes.boxes[2].text, "Your puzzle has now been saved");
    EXPECT_TRUE(QFile::exists(t.puzzleFile("Spring.wsp")));
    EXPECT_EQ(name, "Spring");
}

TEST_F(SaveFlowTest, CancelInTheNameDialogueAsksAgain)
{
    t.boxes.answer({true, false});
    answerNames({"<cancel>"});
    EXPECT_EQ(SaveResult::Declined, puzzlefiles::SaveAfterBuild(*t.program, sd1, kind, name, nullptr));
    EXPECT_EQ(t.boxes.titles(), QStringList({"Save puzzle", "Save puzzle"}));
    EXPECT_TRUE(written.isEmpty());
}

TEST_F(SaveFlowTest, ReplaceQuestionNamesTheUpperCasedName)
{
    QFile existing(t.puzzleFile("Spring.wsp"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    // Refuse the replacement, decline the save, then save again and replace.
    t.boxes.answer({true, false, true, true});
    answerNames({"spring", "spring"});
    EXPECT_EQ(SaveResult::Saved, puzzlefiles::SaveAfterBuild(*t.program, sd1, kind, name, nullptr));
    EXPECT_EQ(t.boxes.titles(), QStringList({"Save puzzle", "Replace 'SPRING' ?", "Save puzzle", "Replace 'SPRING' ?",
                                             "Brainloft"}));
    EXPECT_EQ(t.boxes.boxes[1].text,
              "A puzzle with this name already exists in your puzzle folder! If we save this\n"
              "puzzle with the name selected, the old saved puzzle will be gone forever!\n"
              "Do you want us to replace the old saved puzzle with this puzzle?");
    EXPECT_EQ(written, QStringList{"spring"});
}

TEST_F(SaveFlowTest, WriterFailureIsReportedAndTheNameStays)
{
    failWrites = true;
    // Whatever stands under the name keeps its permissions when the save fails.
    ASSERT_TRUE(QDir().mkdir(t.puzzleFile("Broken.wsp")));
    const QFile::Permissions modes = QFile::permissions(t.puzzleFile("Broken.wsp"));
    t.boxes.answer({true, true});
    answerNames({"Broken"});
    EXPECT_EQ(puzzlefiles::SaveAfterBuild(*t.program, sd1, kind, name, nullptr), SaveResult::Failed);
    EXPECT_EQ(t.boxes.texts().last(), "Your puzzle could not be saved");
    EXPECT_EQ(name, "Old");
    EXPECT_EQ(QFile::permissions(t.puzzleFile("Broken.wsp")), modes);
}

TEST_F(SaveFlowTest, PicturePuzzleNeedsAllThreeFilesForTheReplaceQuestion)
{
    PuzzleKind picture;
    picture.userExtension = ".tlp";
    picture.threeFiles = true;
    picture.openToEveryone = false;
    picture.writer = [](const QString&) { return 0; };
    for (const char* ext : {".tlp1", ".tlp2"}) {
        QFile f(t.puzzleFile(QString("Kitten") + ext));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    t.boxes.answer({true});
    answerNames({"Kitten"});
    EXPECT_EQ(SaveResult::Saved, puzzlefiles::SaveAfterBuild(*t.program, sd1, picture, name, nullptr));
    EXPECT_EQ(t.boxes.titles(), QStringList({"Save puzzle", "Brainloft"})) << "no replace question";
}

namespace {

class PickerTest : public ::testing::Test {
protected:
    void touch(const QString& file, const QByteArray& bytes = "x")
    {
        QFile f(t.puzzleFile(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QListView* lbfiles() { return picker.findChild<QListView*>("lbfiles"); }
    void selectRow(int row) { lbfiles()->setCurrentIndex(lbfiles()->model()->index(row, 0)); }

    TestProgram t;
    PuzzlePicker picker{*t.program};
};

} // namespace

TEST_F(PickerTest, ListsUserAndPackagedPuzzlesAndReturnsTheActualFile)
{
    for (const char* f : {"Spring.wsp", "animals.wsd", "Zoo.wsp", "Notes.txt", "Quote.sbp"})
        touch(f);
    int width = 0;
    QStringList rows;
    WhenModalNamed("fmfiles", [&](QWidget* w) {
        width = w->width();
        rows = picker.rows();
        EXPECT_EQ(picker.windowTitle(), "Select puzzle");
        EXPECT_EQ(lbfiles()->currentIndex().row(), 0) << "the first row is selected on show";
        EXPECT_EQ(picker.selectedRow(), 0);
        EXPECT_FALSE(w->findChild<QWidget*>("pnpreviewa")->isVisible());
        w->findChild<QPushButton*>("BitBtn1")->click();
    });
    EXPECT_EQ(puzzlefiles::PickPuzzleFile(*t.program, picker, wordSearchLike(), nullptr),
              "animals.wsd");
    EXPECT_EQ(rows, QStringList({"<animals>", "Spring", "Zoo"})) << "names sort without regard to case";
    EXPECT_EQ(width, 390);

    WhenModalNamed("fmfiles", [&](QWidget* w) {
        selectRow(2);
        w->findChild<QPushButton*>("BitBtn1")->click();
    });
    EXPECT_EQ(puzzlefiles::PickPuzzleFile(*t.program, picker, wordSearchLike(), nullptr),
              "Zoo.wsp");

    WhenModalNamed("fmfiles", [&](QWidget* w) { w->findChild<QPushButton*>("BitBtn2")->click(); });
    EXPECT_EQ(puzzlefiles::PickPuzzleFile(*t.program, picker, wordSearchLike(), nullptr), "");
}

TEST_F(PickerTest, EmptyFolderGivesAnEmptyPickerAndOkChangesNothing)
{
    WhenModalNamed("fmfiles", [&](QWidget* w) {
        EXPECT_EQ(lbfiles()->model()->rowCount(), 0);
        w->findChild<QPushButton*>("BitBtn1")->click();
    });
    EXPECT_EQ(puzzlefiles::PickPuzzleFile(*t.program, picker, wordSearchLike(), nullptr), "");
}

TEST_F(PickerTest, PicturePickerIsWideWithPreviewsHiddenWhenAFileIsMissing)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(t.puzzleFile("Kitten.tlp1"), "BMP"));
    ASSERT_TRUE(image.save(t.puzzleFile("Kitten.tlp3"), "BMP"));
    ASSERT_TRUE(image.save(t.puzzleFile("Puppy.tld1"), "BMP")); // no Puppy.tld3
    ASSERT_TRUE(image.save(t.puzzleFile("Shadow.tlp1"), "BMP"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(t.puzzleFile("Shadow.tlp3")).constData(), 0600), 0); // never waited on

    PuzzleKind picture;
    picture.userExtension = ".tlp";
    picture.packagedExtension = ".tld1";
    picture.listingMask = "*.tld1;*.tlp1";
    picture.threeFiles = true;
    bool shownForKitten = false, hiddenForPuppy = false, hiddenForShadow = false, switchOn = false;
    int width = 0;
    WhenModalNamed("fmfiles", [&](QWidget* w) {
        width = w->width();
        switchOn = t.program->previewSwitch;
        EXPECT_EQ(picker.rows(), QStringList({"Kitten", "<Puppy>", "Shadow"}));
        shownForKitten = w->findChild<QLabel*>("impreviewa")->isVisible() && w->findChild<QLabel*>("impreviewb")->isVisible();
        selectRow(1);
        hiddenForPuppy = !w->findChild<QLabel*>("impreviewa")->isVisible() && !w->findChild<QLabel*>("impreviewb")->isVisible();
        selectRow(2);
        hiddenForShadow = !w->findChild<QLabel*>("impreviewa")->isVisible() && !w->findChild<QLabel*>("impreviewb")->isVisible();
        w->findChild<QPushButton*>("BitBtn2")->click();
    });
    EXPECT_EQ(puzzlefiles::PickPuzzleFile(*t.program, picker, picture, nullptr), "");
    EXPECT_EQ(width, 560);
    EXPECT_TRUE(switchOn);
    EXPECT_FALSE(t.program->previewSwitch) << "the switch is off again after the flow";
    EXPECT_TRUE(shownForKitten);
    EXPECT_TRUE(hiddenForPuppy);
    EXPECT_TRUE(hiddenForShadow);
}

TEST(PickerListing, SameFilesInTheSameOrderAsQtsReadableFileListing)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    for (const char* name : {"Spring.wsp", "animals.wsd", "Zoo.wsp", "_under.wsp", "UP.WSP", "Äpfel.wsp", "apfel.wsp",
                             "ßpiel.wsp", "İstanbul.wsp", "Ωmega.wsp", "10.wsp", "9.wsp", "a b.wsp", "a-b.wsp",
                             "a.b.wsp", "é.wsp", "Notes.txt", "Quote.sbp", "wsp", "x.wspx", ".hidden.wsp",
                             "Spr1ng.wsp", "locked.wsp"}) {
        QFile f(d + "/" + QString::fromUtf8(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name;
    }
    ASSERT_TRUE(QDir(d).mkdir("folder.wsp"));
    ASSERT_TRUE(QFile::link(d + "/Zoo.wsp", d + "/link.wsp"));
    ASSERT_TRUE(QFile::link(d + "/folder.wsp", d + "/dirlink.wsp"));
    ASSERT_TRUE(QFile::link(d + "/missing", d + "/broken.wsp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(d + "/pipe.wsp").constData(), 0600), 0);
    ASSERT_TRUE(QFile::setPermissions(d + "/locked.wsp", {})); // still readable to root

    for (const QString mask : {"*.wsp;*.wsd", "*.WSD", "Spr?ng*.wsp;*.txt", "*"}) {
        const QStringList masks = mask.split(';');
        const QStringList expected =
            QDir(d).entryList(masks, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
        EXPECT_EQ(PuzzlePicker::matchingFiles(d, masks), expected) << mask.toStdString();
    }
    EXPECT_TRUE(PuzzlePicker::matchingFiles(d + "/nowhere", {"*.wsp"}).isEmpty());

    // Names that differ only in case stand together, in a fixed order.
    for (const char* name : {"zoo.WSP", "ZOO.wsp"}) {
        QFile f(d + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QStringList listed = PuzzlePicker::matchingFiles(d, {"z*.wsp"});
    EXPECT_EQ(listed, QStringList({"ZOO.wsp", "Zoo.wsp", "zoo.WSP"}));
}

TEST(LoadError, ExactWarning)
{
    TestProgram t;
    puzzlefiles::ShowLoadError(*t.program);
    ASSERT_EQ(t.boxes.boxes.size(), 1);
    EXPECT_EQ(t.boxes.boxes[0].kind, "warning");
    EXPECT_EQ(t.boxes.boxes[0].title, "Load error");
    EXPECT_EQ(t.boxes.boxes[0].text, "We are sorry but this puzzle could not be loaded!");
}
