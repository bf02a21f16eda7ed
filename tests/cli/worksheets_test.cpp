// Worksheets: many puzzles of one kind with their keys, and print of several files into one PDF.
#include "support/makerharness.h"
#include "platform/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WorksheetsTest : public MakerHarness {
protected:
    void SetUp() override
    {
        QDir().mkpath(dir.filePath("saved"));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext is missing";
    }
    // Each page's text, its lines trimmed and empty ones dropped (the tool shows a run of blanks
    // as one).
    static QStringList pages(const QString& pdf)
    {
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        EXPECT_TRUE(text.waitForFinished(30000));
        QStringList result;
        for (const QString& page : QString::fromUtf8(text.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts)) {
            QStringList lines;
            for (const QString& line : page.split('\n'))
                if (!line.trimmed().isEmpty())
                    lines << line.trimmed();
            result << lines.join('\n');
        }
        return result;
    }
    static QString title(const QString& page) { return page.section('\n', 0, 0); }
};

const QByteArray kAnimals = "ant\nbadger\ncamel\ndeer\neagle\nferret\ngecko\nhyena\nibis\njackal\n";

} // namespace

TEST_F(WorksheetsTest, EachSheetIsItsKindsPuzzleOfItsSeedWithItsKeyMatched)
{
    const QString list = put("Animals.txt", kAnimals);
    const QString text = put("motto.txt", "SLOW AND STEADY\nWINS THE RACE\n");
    struct Case {
        QStringList worksheet; // kind [input] and the kind's options
        QStringList verb;      // the kind's own verb for one puzzle, before NAME and its seed
        QString titleCaps;     // sheet 2's titles
        QString keyTitle;
        QString ext;
        bool keysApart;
    } cases[] = {
        {{"wordsearch", list, "--retry", "3"}, {"wordsearch", list, "--retry", "3"}, "ANIMALS 2", "ANIMALS 2 <KEY>",
         ".wsp", true},
        {{"cryptogram", text, "--level", "6"}, {"cryptogram", text, "--level", "6"}, "MOTTO 2", "MOTTO 2 <KEY>", ".sbp",
         false},
        {{"maze", "--level", "30"}, {"maze", "--level", "30"}, "Maze 2", "Maze 2 <KEY>", ".mzp", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.worksheet.first().toStdString());
        const QString sheets = dir.filePath(c.worksheet.first() + ".pdf");
        const QString keys = dir.filePath(c.worksheet.first() + "-keys.pdf");
        const QString saved = dir.filePath("saved/" + c.worksheet.first());
        QDir().mkpath(saved);
        QStringList args = QStringList{"worksheets"} + c.worksheet +
                           QStringList{sheets, "--count", "3", "--seed", "40", "--save", saved};
        if (c.keysApart)
            args << "--keys" << keys;
        ASSERT_EQ(run(args), 0) << err.toStdString();
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        const QString written = out;

        const QString base = c.titleCaps.startsWith("Maze") ? "Maze" : QFileInfo(c.worksheet[1]).completeBaseName();
        QStringList files;
        for (int i = 1; i <= 3; ++i) {
            // Sheet i is what the kind's verb makes with seed 40 + i - 1.
            const QString file = QString("%1/%2 %3%4").arg(saved, base).arg(i).arg(c.ext);
            files << file;
            ASSERT_EQ(run(c.verb + QStringList{"Alone", "--seed", QString::number(39 + i), "--folder", dir.path()}), 0);
            EXPECT_EQ(read(file), read(dir.filePath("Alone" + c.ext))) << "sheet " << i;
        }
        QStringList expected = {sheets};
        if (c.keysApart)
            expected << keys;
        EXPECT_EQ(written, (expected + files).join('\n') + '\n');

        // Puzzles in order, then their keys in the same order, with the titles numbered alike; the
        // pages are those print makes of the saved files.
        QStringList printed = pages(sheets);
        if (c.keysApart)
            printed += pages(keys);
        ASSERT_EQ(printed.size(), 6);
        EXPECT_EQ(title(printed[1]), c.titleCaps);
        EXPECT_EQ(title(printed[4]), c.keyTitle);
        const QString reprint = dir.filePath("reprint.pdf");
        ASSERT_EQ(run(QStringList{"print"} + files + QStringList{reprint, "--pages", "puzzle"}), 0) << err.toStdString();
        EXPECT_EQ(pages(reprint), printed.mid(0, 3));
        ASSERT_EQ(run(QStringList{"print"} + files + QStringList{reprint, "--pages", "key"}), 0);
        EXPECT_EQ(pages(reprint), printed.mid(3, 3));
    }
}

TEST_F(WorksheetsTest, RefusalsAndFailuresWriteNothing)
{
    const QString list = put("Animals.txt", kAnimals);
    const QString pdf = put("out.pdf", "old");
    const QString keys = put("keys.pdf", "old keys");
    // 28 words of ten letters: without retries some sheet soon leaves words out.
    QByteArray dense;
    for (const char* word : {"ABSOLUTELY", "BACKGROUND", "CALCULATED", "DISCOVERED", "EARTHQUAKE", "FAVOURABLE",
                             "GENERATION", "HELICOPTER", "IMPORTANCE", "JOURNALIST", "KNOWLEDGES", "LEADERSHIP",
                             "MOUNTAINED", "NEWSLETTER", "OBLIGATION", "PARTICULAR", "QUARANTINE", "REASONABLE",
                             "STRAWBERRY", "TELESCOPES", "UNDERSTAND", "VEGETABLES", "WATERPROOF", "XYLOPHONES",
                             "YESTERDAYS", "ZOOKEEPERS", "ATMOSPHERE", "BLACKBOARD"})
        dense += QByteArray(word) + '\n';
    const QString denseList = put("dense.txt", dense);
    int firstShort = 0;
    for (int i = 1; i <= 20 && !firstShort; ++i)
        if (run({"wordsearch", denseList, "Probe", "--retry", "0", "--seed", QString::number(99 + i), "--folder",
                 dir.path()}) == 3)
            firstShort = i;
    ASSERT_GT(firstShort, 0) << "no seed of twenty left a word out";

    struct Case {
        QStringList args;
        int status;
        QString says;
    } cases[] = {
        {{"crossword", list, pdf, "--count", "2"}, 2, "give the kind of puzzle first: cryptogram, wordsearch, maze"},
        {{"wordsearch", list, pdf}, 2, "--count takes a whole number from 1 to 200"},
        {{"wordsearch", list, pdf, "--count", "0"}, 2, "--count takes"},
        {{"wordsearch", list, pdf, "--count", "201"}, 2, "--count takes"},
        {{"wordsearch", list, pdf, "--count", "2", "--paper", "a3"}, 2, "--paper takes a4 or letter"},
        {{"wordsearch", pdf, "--count", "2"}, 2, "give LIST and OUT.pdf after wordsearch"},
        {{"maze", list, pdf, "--count", "2"}, 2, "give OUT.pdf after maze"},
        {{"maze", pdf, "--count", "2", "--retry", "2"}, 2, "unknown option --retry"},
        {{"maze", pdf, "--count", "2", "--level", "45"}, 2, "--level takes 30, 60 or 100"},
        {{"maze", pdf, "--count", "2", "--folder", dir.path()}, 2, "unknown option --folder"},
        {{"maze", pdf, "--count", "2", "--seed", "9223372036854775807"}, 2, "--seed leaves no room for the seeds of 2"},
        {{"maze", pdf, "--count", "2", "--keys", dir.path() + "/./out.pdf"}, 2, "may not be OUT.pdf"},
        {{"wordsearch", list, list, "--count", "2"}, 2, "may not be the input"},
        {{"wordsearch", "-", pdf, "--count", "2"}, 2, "give --title for an input read from standard input"},
        {{"maze", pdf, "--count", "2", "--title", " "}, 2, "the title may not be empty"},
        {{"maze", pdf, "--count", "2", "--title", "a/b", "--save", dir.path()}, 2, "cannot be a puzzle name"},
        {{"wordsearch", put("bad.txt", "cat\nd0g\n"), pdf, "--count", "2"}, 2, "bad.txt:2: a word may hold only"},
        {{"wordsearch", denseList, pdf, "--count", QString::number(firstShort), "--retry", "0", "--seed", "100"},
         2,
         QString("sheet %1 leaves out ").arg(firstShort)},
        {{"cryptogram", dir.filePath("missing.txt"), pdf, "--count", "2"}, 1, "cannot read"},
        {{"maze", pdf, "--count", "2", "--save", dir.filePath("nowhere")}, 1, "does not exist"},
        {{"maze", dir.filePath("no/such/folder/out.pdf"), "--count", "2"}, 1, "could not write"},
    };
    for (const Case& c : cases) {
        const QStringList args = QStringList{"worksheets"} + c.args + QStringList{"--keys", keys};
        const QStringList used = c.args.contains("--keys") ? QStringList{"worksheets"} + c.args : args;
        EXPECT_EQ(run(used), c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(c.says)) << c.args.join(' ').toStdString() << ": " << err.toStdString();
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_EQ(read(pdf), "old");
        EXPECT_EQ(read(keys), "old keys");
    }
    EXPECT_EQ(QDir(dir.path()).entryList({"*.mzp", "*.wsp", "*.sbp"}, QDir::Files), QStringList{"Probe.wsp"});

    // A write that fails leaves the old files whole and saves no puzzle.
    {
        atomicfile::FailAfter failing(100);
        EXPECT_EQ(run({"worksheets", "maze", pdf, "--count", "2", "--keys", keys, "--save", dir.filePath("saved")}), 1);
    }
    EXPECT_EQ(read(pdf), "old");
    EXPECT_EQ(read(keys), "old keys");
    EXPECT_TRUE(QDir(dir.filePath("saved")).isEmpty());
}

TEST_F(WorksheetsTest, PrintTakesSeveralFilesInTheirOrder)
{
    const QString list = put("animals.txt", kAnimals);
    const QString text = put("quote.txt", "A STITCH IN TIME\n");
    ASSERT_EQ(run({"wordsearch", list, "Zoo", "--seed", "1", "--folder", dir.path()}), 0);
    ASSERT_EQ(run({"cryptogram", text, "Stitch", "--seed", "1", "--folder", dir.path()}), 0);
    ASSERT_EQ(run({"maze", "Paths", "--level", "30", "--seed", "1", "--folder", dir.path()}), 0);
    const QString pdf = dir.filePath("all.pdf");
    const QStringList files = {dir.filePath("Stitch.sbp"), dir.filePath("Zoo.wsp"), dir.filePath("Paths.mzp")};
    ASSERT_EQ(run(QStringList{"print"} + files + QStringList{pdf, "--pages", "both"}), 0) << err.toStdString();
    EXPECT_EQ(out, pdf + "\n");
    QStringList titles;
    for (const QString& page : pages(pdf))
        titles << title(page);
    EXPECT_EQ(titles, (QStringList{"STITCH", "STITCH <KEY>", "ZOO", "ZOO <KEY>", "Paths", "Paths <KEY>"}));

    put("all.pdf", "old");
    EXPECT_EQ(run({"print", files[0], dir.filePath("gone.wsp"), pdf}), 1) << "a file that cannot be read";
    EXPECT_TRUE(err.contains("gone.wsp cannot be read (code -2)")) << err.toStdString();
    EXPECT_EQ(run({"print", files[0], list, pdf}), 2) << "a file that does not print";
    EXPECT_EQ(run({"print", files[0], pdf, pdf}), 2) << "the PDF among the files";
    EXPECT_EQ(read(pdf), "old");
}

TEST_F(WorksheetsTest, TheRealProgramLoadsWhatDrawsOnlyForVerbsThatDraw)
{
    const QString list = put("Animals.txt", kAnimals);
    const auto real = [this](const QStringList& args, QByteArray& output) {
        QProcess maker;
        maker.setWorkingDirectory(dir.path());
        maker.start(BRAINLOFT_MAKE, args);
        EXPECT_TRUE(maker.waitForFinished(60000));
        output = maker.readAllStandardOutput();
        return maker.exitCode();
    };
    QByteArray help;
    ASSERT_EQ(real({"--help"}, help), 0);
    ASSERT_EQ(run({"--help"}), 0);
    EXPECT_EQ(QString::fromUtf8(help), out) << "the help without the part that draws lists every verb alike";

    QByteArray written;
    ASSERT_EQ(real({"worksheets", "wordsearch", list, "sheets.pdf", "--count", "2", "--seed", "3"}, written), 0);
    EXPECT_EQ(written, "sheets.pdf\n");
    EXPECT_EQ(pages(dir.filePath("sheets.pdf")).size(), 4);

    // Without the part that draws beside it, the maker still makes puzzles, and says why it
    // cannot print.
    const QString alone = dir.filePath("alone/brainloft-make");
    QDir().mkpath(dir.filePath("alone"));
    ASSERT_TRUE(QFile::copy(BRAINLOFT_MAKE, alone));
    QProcess maker;
    maker.start(alone, {"maze", "M", "--folder", dir.path()});
    ASSERT_TRUE(maker.waitForFinished(60000));
    EXPECT_EQ(maker.exitCode(), 0);
    maker.start(alone, {"print", dir.filePath("M.mzp"), dir.filePath("m.pdf")});
    ASSERT_TRUE(maker.waitForFinished(60000));
    EXPECT_EQ(maker.exitCode(), 1);
    EXPECT_TRUE(maker.readAllStandardError().startsWith("brainloft-make: cannot load the part that draws: "));
    EXPECT_FALSE(QFile::exists(dir.filePath("m.pdf")));
}
