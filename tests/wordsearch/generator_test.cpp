#include "platform/rng.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/builder.h"
#include "wordsearch/builderrordialog.h"
#include "wordsearch/wordsearchmaker.h"
#include "wordsearch/noticedialog.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kSingle = QStringLiteral("Single characters are not allowed!");

QColor statusColour(QLabel* status)
{
    return status->palette().color(QPalette::WindowText);
}

// Answers each modal window that opens, by its name, for as long as it lives; logs the names.
class ModalScript : public QObject {
public:
    std::function<void(QWidget*)> onModal;
    QStringList opened;

    ModalScript()
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || modal == seen_ || busy_ || modal->objectName() == "fmGenerator")
                return;
            seen_ = modal;
            busy_ = true;
            opened << modal->objectName();
            onModal(modal);
            busy_ = false;
            seen_ = nullptr;
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
    QWidget* seen_ = nullptr;
    bool busy_ = false;
};

class GeneratorTest : public ::testing::Test {
protected:
    GeneratorTest()
    {
        answers = std::make_unique<QWidget>();
        answers->setObjectName(QStringLiteral("fmanswers"));
        generator = std::make_unique<WordSearchMaker>(program, desk, state);
        generator->hideKey = [this] { answers->hide(); };

        cwords = find<QListWidget>("cwords");
        einput = find<QLineEdit>("einput");
        gStatus = find<QLabel>("gStatus");
        btnBuild = find<QPushButton>("btnBuild");
        btnmenu = find<QPushButton>("btnmenu");
        btnclear = find<QPushButton>("btnclear");
    }

    ~GeneratorTest() override
    {
        generator->hide();
    }

    template <typename T>
    T* find(const char* name)
    {
        T* child = generator->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    void openNew()
    {
        state.newPuzzle = true;
        generator->show();
        Settle();
    }

    void type(const QString& keys) { QTest::keyClicks(einput, keys); }

    void enter(const QString& word)
    {
        type(word);
        QTest::keyClick(einput, Qt::Key_Return);
    }

    void clickRow(int row)
    {
        const QRect box = cwords->visualItemRect(cwords->item(row));
        QTest::mouseClick(cwords->viewport(), Qt::LeftButton, {}, box.center());
    }

    void clickBuild() { QTest::mouseClick(btnBuild, Qt::LeftButton); }

    // Types a name into the string dialogue of the save flow when it opens, then presses OK.
    static void nameWhenAsked(const QString& name)
    {
        WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [name](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edText"));
            edit->selectAll();
            QTest::keyClicks(edit, name);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
    }

    static void cancelWhenAsked()
    {
        WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
        });
    }

    QStringList puzzleFiles() const
    {
        return QDir(program.paths.puzzleFolder()).entryList(QDir::Files);
    }

    TestProgram test{7};
    Program& program = *test.program;
    ScriptedBoxes& boxes = test.boxes;
    Desk desk;
    wordsearch::WordSearchState state;
    std::unique_ptr<QWidget> answers;
    std::unique_ptr<WordSearchMaker> generator;
    QListWidget* cwords = nullptr;
    QLineEdit* einput = nullptr;
    QLabel* gStatus = nullptr;
    QPushButton* btnBuild = nullptr;
    QPushButton* btnmenu = nullptr;
    QPushButton* btnclear = nullptr;
};

// --- opening ------------------------------------------------------------------------------

TEST_F(GeneratorTest, OpensEmptyForANewPuzzleOrOnTheLoadedWordsAndHidesTheKey)
{
    answers->show();
    openNew();
    EXPECT_EQ(generator->windowTitle(), "Puzzle Generator     <New Puzzle>");
    EXPECT_FALSE(answers->isVisible());
    EXPECT_EQ(generator->rows(), QStringList{QString()});
    EXPECT_EQ(cwords->currentRow(), 0);
    EXPECT_EQ(gStatus->text(), "280 characters available");
    EXPECT_EQ(statusColour(gStatus), QColor(0, 128, 0));
    EXPECT_FALSE(btnclear->isEnabled());
    EXPECT_FALSE(btnmenu->isEnabled());
    generator->hide();

    // Slots with gaps between them: the list follows the slot numbers, not the alphabet.
    const QStringList words = {"ZEBRA", "APPLE", "MANGO", "KIWI"};
    for (int i = 0; i < words.size(); ++i)
        state.puzzle.wordSlots[i * 5].set(words[i].toLatin1());
    state.newPuzzle = false;
    state.currentName = QStringLiteral("Fruit");
    generator->show();
    Settle();
    EXPECT_EQ(generator->windowTitle(), "Puzzle Generator     Fruit");
    EXPECT_EQ(generator->rows(), words);
    EXPECT_EQ(cwords->count(), 4);
    EXPECT_EQ(cwords->currentRow(), -1);
    EXPECT_EQ(gStatus->text(), "261 characters available");
    EXPECT_TRUE(btnclear->isEnabled());
}

// --- the list ---------------------------------------------------------------------------

TEST_F(GeneratorTest, ShowsItsWordListAndHandsItTypingClicksAndKeys)
{
    openNew();
    type("a1 b-c");
    EXPECT_EQ(einput->text(), "ABC") << "only letters reach the field";
    EXPECT_EQ(cwords->currentItem()->text(), "ABC");
    EXPECT_EQ(gStatus->text(), "277 characters available");
    EXPECT_TRUE(btnclear->isEnabled());
    einput->clear();
    einput->insert(QStringLiteral("d1o g"));
    EXPECT_EQ(cwords->currentItem()->text(), "DOG") << "a paste is cleaned the same way";

    QTest::keyClick(einput, Qt::Key_Return);
    enter("cat");
    EXPECT_EQ(generator->rows(), (QStringList{"", "CAT", "DOG"}));
    EXPECT_EQ(cwords->currentRow(), 0);
    EXPECT_TRUE(einput->text().isEmpty());

    clickRow(2);
    EXPECT_EQ(einput->text(), "DOG");
    type("s");
    EXPECT_EQ(cwords->item(2)->text(), "DOGS");
    QTest::keyClick(einput, Qt::Key_Escape);
    EXPECT_EQ(einput->text(), "DOG");
    EXPECT_TRUE(generator->isVisible()) << "Escape belongs to the field";

    QTest::keyClick(cwords, Qt::Key_Delete);
    EXPECT_EQ(generator->rows(), (QStringList{"", "CAT"}));
    EXPECT_EQ(cwords->currentRow(), 1);
    QTest::keyClick(cwords, Qt::Key_Insert);
    EXPECT_EQ(cwords->currentRow(), 0);
    type("x");
    QTest::keyClick(einput, Qt::Key_Return);
    EXPECT_EQ(gStatus->text(), kSingle);
    EXPECT_EQ(statusColour(gStatus), QColor(84, 9, 208));
    clickRow(1);
    EXPECT_EQ(cwords->currentRow(), 0) << "a one-letter word cannot be left";
    EXPECT_EQ(generator->rows(), (QStringList{"X", "CAT"}));
    EXPECT_EQ(generator->rows(), generator->wordList().rows());

    QTest::keyClick(einput, Qt::Key_Backspace);
    QTest::mouseClick(btnclear, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].title, "Clear list");
    EXPECT_EQ(boxes.boxes[0].text, "Are you sure you want to remove all words\nfrom the word list?");
    EXPECT_EQ(generator->rows().size(), 2);
    boxes.answer({true});
    QTest::mouseClick(btnclear, Qt::LeftButton);
    EXPECT_EQ(generator->rows(), QStringList{QString()});
    EXPECT_FALSE(btnclear->isEnabled());
}

TEST_F(GeneratorTest, AListOverTheLimitIsRefusedWithItsStatus)
{
    openNew();
    for (int i = 0; i < 28; ++i)
        enter(QString(10, QChar(u'A' + i % 26)));
    type("bcde");
    EXPECT_EQ(gStatus->text(), "4 characters over limit");
    EXPECT_EQ(statusColour(gStatus), QColor(255, 0, 0));
    clickBuild();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].kind, "error");
    EXPECT_EQ(boxes.boxes[0].title, "Error");
    EXPECT_EQ(boxes.boxes[0].text, "Your word list is 4 characters over limit.\n"
                                   "'Brainloft' can not build your puzzle if\n"
                                   "it contains more than 280 characters!");
    EXPECT_FALSE(generator->built());
    EXPECT_TRUE(puzzleFiles().isEmpty());
}

// --- closing ------------------------------------------------------------------------------

TEST_F(GeneratorTest, ClosingWithoutABuildAsksFirst)
{
    state.currentName = QStringLiteral("Old");
    openNew();
    enter("dog");

    generator->close();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].title, "Notice:");
    EXPECT_EQ(boxes.boxes[0].text, "If you close the generator now your puzzle will not\n"
                                   "be built! Are you sure you want to close now?");
    EXPECT_TRUE(generator->isVisible());
    EXPECT_EQ(state.currentName, "Old");

    boxes.answer({true});
    generator->close();
    EXPECT_FALSE(generator->isVisible());
    EXPECT_TRUE(state.currentName.isEmpty());
    EXPECT_FALSE(generator->built());
}

// --- building -----------------------------------------------------------------------------

TEST_F(GeneratorTest, BuildSavesThroughTheNameDialogueAndCloses)
{
    state.newPuzzle = true;
    boxes.answer({true});
    int result = -1;
    WhenModalNamed(QStringLiteral("fmGenerator"), [&](QWidget*) {
        enter("tulip");
        enter("daisy");
        enter("rose");
        nameWhenAsked(QStringLiteral("Spring"));
        clickBuild();
    });
    result = generator->exec();

    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(generator->built());
    EXPECT_FALSE(generator->isVisible());
    EXPECT_EQ(boxes.titles().front(), "Save puzzle");
    EXPECT_EQ(boxes.texts().back(), "Your puzzle has now been saved");
    EXPECT_EQ(puzzleFiles(), QStringList{"Spring.wsp"});
    EXPECT_EQ(QFile(program.paths.puzzleFile("Spring.wsp")).size(), 1748);
    EXPECT_EQ(state.currentName, "Spring");
    EXPECT_EQ(test.clock.waited, 300);
    EXPECT_TRUE(generator->rows().isEmpty());
    EXPECT_FALSE(btnmenu->isEnabled());
    EXPECT_EQ(generator->gaugeValue(), generator->gaugeMaximum());
    EXPECT_EQ(generator->gaugeMaximum(), 5); // four rows (the empty one too) and the fill

    // Row 0 is the empty row; the words are rows 1 to 3 in sorted order.
    const auto& slots_ = state.puzzle.wordSlots;
    EXPECT_TRUE(slots_[0].isEmpty());
    EXPECT_EQ(slots_[1].word(), "DAISY");
    EXPECT_EQ(slots_[2].word(), "ROSE");
    EXPECT_EQ(slots_[3].word(), "TULIP");
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            EXPECT_TRUE(wordsearch::isLetter(state.puzzle.grid[x][y]));
}

TEST_F(GeneratorTest, CancelInTheNameDialogueAsksToSaveAgain)
{
    openNew();
    enter("tulip");
    enter("rose");
    boxes.answer({true, false});
    cancelWhenAsked();
    clickBuild();

    EXPECT_EQ(boxes.titles(), (QStringList{"Save puzzle", "Save puzzle"}));
    EXPECT_TRUE(puzzleFiles().isEmpty());
    EXPECT_TRUE(generator->built());
    EXPECT_FALSE(generator->isVisible());
}

TEST_F(GeneratorTest, AnExistingNameIsReplacedOnlyAfterTheQuestion)
{
    QFile old(program.paths.puzzleFile("Spring.wsp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old puzzle");
    old.close();

    openNew();
    enter("tulip");
    enter("rose");
    boxes.answer({true, false, false});
    nameWhenAsked(QStringLiteral("Spring"));
    clickBuild();

    ASSERT_EQ(boxes.titles(), (QStringList{"Save puzzle", "Replace 'SPRING' ?", "Save puzzle"}));
    EXPECT_EQ(boxes.boxes[1].text, "A puzzle with this name already exists in your puzzle folder! If we save this\n"
                                   "puzzle with the name selected, the old saved puzzle will be gone forever!\n"
                                   "Do you want us to replace the old saved puzzle with this puzzle?");
    EXPECT_EQ(QFile(program.paths.puzzleFile("Spring.wsp")).size(), 10);
}

TEST_F(GeneratorTest, ContainedWordsShowTheNoticeAndBackReturnsWithoutBuilding)
{
    openNew();
    enter("catalog");
    enter("cat");
    state.puzzle.grid[5][5] = 'Q';
    QStringList lines;
    QString title;
    WhenModalNamed(QStringLiteral("fmnotice"), [&](QWidget* window) {
        title = window->windowTitle();
        auto* list = window->findChild<QListWidget*>(QStringLiteral("lbone"));
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    });
    clickBuild();

    EXPECT_EQ(title, "Notice");
    EXPECT_EQ(lines, QStringList{"CATALOG contains the word CAT"});
    EXPECT_FALSE(generator->built());
    EXPECT_TRUE(generator->isVisible());
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_EQ(state.puzzle.grid[5][5], 'Q'); // nothing was built
    EXPECT_EQ(generator->rows(), (QStringList{"", "CAT", "CATALOG"}));
    EXPECT_TRUE(btnclear->isEnabled());
}

TEST_F(GeneratorTest, ASingleLetterInTheFieldStopsTheBuild)
{
    openNew();
    enter("dog");
    type("x");
    clickBuild();

    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].kind, "warning");
    EXPECT_EQ(boxes.boxes[0].title, "Error");
    EXPECT_EQ(boxes.boxes[0].text, "Your word list contains a word that is a\n"
                                   "single character. Single characters are not\n"
                                   "allowed! Please correct the word list and\n"
                                   "then then build your puzzle.");
    EXPECT_EQ(gStatus->text(), kSingle);
    EXPECT_EQ(cwords->currentItem()->text(), "X");
    EXPECT_FALSE(generator->built());
}

TEST_F(GeneratorTest, AnEmptyListBuildsNothing)
{
    openNew();
    clickBuild();
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_FALSE(generator->built());
    EXPECT_TRUE(generator->isVisible());
}

TEST_F(GeneratorTest, UnplacedWordsOfferRetryAndTheNoticeIsNotShownAgain)
{
    // Twenty-six words that cannot cross one another crowd the field; pick a seed with which
    // the first build leaves some out.
    QStringList list;
    for (int i = 0; i < 26; ++i)
        list << QString(10, QChar(u'A' + i));
    list << QStringLiteral("CATALOG") << QStringLiteral("CAT");
    QStringList sorted = list;
    sorted << QString();
    sorted.sort();
    QStringList expectedUnplaced;
    std::uint64_t seed = 0;
    for (std::uint64_t s = 1; s < 200 && expectedUnplaced.isEmpty(); ++s) {
        wordsearch::WordSearchPuzzle scratch;
        Rng rng;
        rng.seed(s);
        expectedUnplaced = wordsearch::GridBuilder(scratch, rng).Build(sorted).unplaced;
        seed = s;
    }
    ASSERT_FALSE(expectedUnplaced.isEmpty());
    expectedUnplaced.sort();

    openNew();
    for (const QString& word : list)
        enter(word);
    ASSERT_EQ(generator->rows(), sorted);
    program.rng.seed(seed);

    QStringList messages;
    QList<QStringList> words;
    ModalScript script;
    script.onModal = [&](QWidget* modal) {
        if (modal->objectName() == "fmnotice") {
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        } else if (modal->objectName() == "fmbuilderror") {
            messages << modal->findChild<QLabel*>(QStringLiteral("Lblmessage"))->text();
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("lbwords"));
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text();
            words << shown;
            const char* button = messages.size() == 1 ? "BitBtn1" : "BitBtn2"; // Retry once, then Finish
            QTest::mouseClick(modal->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        }
    };
    clickBuild();

    ASSERT_FALSE(script.opened.isEmpty());
    EXPECT_EQ(script.opened.front(), "fmnotice");
    EXPECT_EQ(script.opened.count("fmnotice"), 1);
    ASSERT_GE(script.opened.count("fmbuilderror"), 1);
    EXPECT_EQ(messages.front(), wordsearch::UnplacedMessage(static_cast<int>(expectedUnplaced.size())));
    EXPECT_EQ(words.front(), expectedUnplaced);
    EXPECT_TRUE(messages.front().startsWith("We are sorry but there w"));
    // The build that followed Retry ended in the save question (answered No) and closed.
    EXPECT_EQ(boxes.titles(), QStringList{"Save puzzle"});
    EXPECT_TRUE(generator->built());
    EXPECT_FALSE(generator->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GeneratorTest, CancelDuringABuildSavesNothingAndLeavesThePuzzleEmpty)
{
    state.currentName = QStringLiteral("Old");
    openNew();
    enter("tulip");
    enter("daisy");
    enter("rose");
    boxes.answer({true});
    bool closedWhileBuilding = true;
    bool cursorBusy = false;
    QTimer::singleShot(0, [&] {
        // The first word's pause lets this through.
        cursorBusy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
        generator->close();
        closedWhileBuilding = !generator->isVisible();
        QTest::mouseClick(btnmenu, Qt::LeftButton);
    });
    clickBuild();

    EXPECT_TRUE(cursorBusy);
    EXPECT_FALSE(closedWhileBuilding);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].title, "Cancel process");
    EXPECT_EQ(boxes.boxes[0].text, "If you stop this process, you puzzle will not be created\n"
                                   "and you will be returned to the main program!\n\n"
                                   "Do you still want to cancel this process?");
    EXPECT_TRUE(puzzleFiles().isEmpty());
    for (const wordsearch::WordSlot& slot : state.puzzle.wordSlots)
        EXPECT_TRUE(slot.isEmpty());
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            EXPECT_EQ(state.puzzle.grid[x][y], wordsearch::kEmptyCell);
    EXPECT_TRUE(state.currentName.isEmpty());
    EXPECT_FALSE(generator->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
