#include "brainloft_resources.h"
#include "cli/maker.h"
#include "cryptogram/cryptogramfile.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "platform/atomicfile.h"
#include "platform/pdfsheets.h"
#include "platform/rng.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordsearchfile.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class PrintVerbTest : public ::testing::Test {
protected:
    PrintVerbTest()
    {
        InitBrainloftResources();
        puzzle = dir.filePath("Spring.wsp");
        wordsearch::WordSearchPuzzle p;
        Rng rng(3);
        wordsearch::GridBuilder builder(p, rng);
        builder.Build({"OTTER", "BADGER", "HEDGEHOG", "STOAT"});
        EXPECT_EQ(wordsearch::SaveWordSearchFileAt(puzzle, p), 0);
        pdf = dir.filePath("out.pdf");
    }

    int run(QStringList args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        args.prepend("print");
        const int status = RunMaker(args, dir.path() + "/", o, e);
        o.flush();
        e.flush();
        return status;
    }

    QTemporaryDir dir;
    QString puzzle;
    QString pdf;
    QString out, err;
};

} // namespace

TEST_F(PrintVerbTest, WritesTheChosenSheetsOnTheChosenPaper)
{
    ASSERT_EQ(run({puzzle, pdf}), 0) << err.toStdString();
    EXPECT_EQ(out, pdf + "\n");
    QString info = tool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("595 x 842 pts (A4)")) << info.toStdString();
    QString text = tool("pdftotext", {pdf, "-"});
    for (const char* word : {"SPRING", "BADGER", "HEDGEHOG", "OTTER", "STOAT", "A Brainloft puzzle by Oakhollow"})
        EXPECT_TRUE(text.contains(word)) << word;
    EXPECT_FALSE(text.contains("<KEY>"));

    ASSERT_EQ(run({puzzle, pdf, "--pages", "both", "--copies", "2", "--paper", "letter"}), 0) << err.toStdString();
    info = tool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+4\\n")));
    EXPECT_TRUE(info.contains("612 x 792 pts (letter)")) << info.toStdString();
    // The puzzle's sheets come first: pages 3 and 4 are the key.
    EXPECT_FALSE(tool("pdftotext", {"-f", "2", "-l", "2", pdf, "-"}).contains("<KEY>"));
    EXPECT_TRUE(tool("pdftotext", {"-f", "3", "-l", "4", pdf, "-"}).contains(QRegularExpression("SPRING\\s+<KEY>")));

    ASSERT_EQ(run({puzzle, pdf, "--pages", "key"}), 0);
    EXPECT_TRUE(tool("pdftotext", {pdf, "-"}).contains("<KEY>"));
}

TEST_F(PrintVerbTest, RefusalsAndFailuresWriteNothing)
{
    const QString hostile = dir.filePath("hostile.wsp");
    write(hostile, QByteArray(1748, '\xff'));
    const struct {
        QStringList args;
        int status;
        const char* message;
    } cases[] = {
        {{puzzle, pdf, "--colour", "red"}, 2, "unknown option --colour"},
        {{dir.filePath("list.txt"), pdf}, 2, "not a kind of puzzle file that prints (.sbp .sbd .wsp .wsd .mzp)"},
        {{puzzle}, 2, "give a puzzle file and a PDF file"},
        {{puzzle, pdf, "--pages"}, 2, "--pages needs a value"},
        {{puzzle, pdf, "--pages", "all"}, 2, "--pages takes"},
        {{puzzle, pdf, "--copies", "0"}, 2, "--copies takes"},
        {{puzzle, pdf, "--copies", "100"}, 2, "--copies takes"},
        {{puzzle, pdf, "--paper", "a3"}, 2, "--paper takes"},
        {{puzzle, dir.path() + "/./Spring.wsp"}, 2, "may not be the puzzle file"},
        {{dir.filePath("missing.wsp"), pdf}, 1, "cannot be read (code -2)"},
        {{hostile, pdf}, 1, "cannot be read (code -3)"},
        {{puzzle, dir.filePath("no/such/folder/out.pdf")}, 1, "could not write"},
    };
    write(pdf, "old");
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_EQ(contents(pdf), "old");
    }
    EXPECT_EQ(contents(puzzle).size(), 1748);

    // A write that fails part-way keeps the old file.
    {
        atomicfile::FailAfter failing(100);
        EXPECT_EQ(run({puzzle, pdf}), 1);
    }
    EXPECT_EQ(contents(pdf), "old");
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out.contains("Usage: brainloft-make print FILE... OUT.pdf"));
}

// A cryptogram and a maze print their pages the same way, each filled just before it prints.
TEST_F(PrintVerbTest, CryptogramAndMazeFilesPrintTheirPages)
{
    cryptogram::Cryptogram riddle;
    Rng rng(5);
    cryptogram::MakerLines lines;
    lines[0] = "HELLO WORLD";
    cryptogram::BuildCryptogramPuzzle(riddle, lines, 0, rng); // no hints: no plain letter on the puzzle
    ASSERT_EQ(cryptogram::SaveCryptogramFileAt(dir.filePath("Riddle.sbp"), riddle), 0);
    ASSERT_TRUE(QFile::copy(dir.filePath("Riddle.sbp"), dir.filePath("Packed.sbd")));
    maze::MazeGrid grid;
    const int n = maze::GenerateMaze(grid, maze::kEasy, rng);
    ASSERT_EQ(maze::SaveMazeFileAt(dir.filePath("windy way.mzp"), grid, n), 0);

    // The text tool closes up runs of blanks: the titles' blanks are counted in the window tests.
    const struct {
        const char* file;
        const char* title;
    } cases[] = {{"Riddle.sbp", "RIDDLE"}, {"Packed.sbd", "PACKED"}, {"windy way.mzp", "windy way"}};
    for (const auto& c : cases) {
        ASSERT_EQ(run({dir.filePath(c.file), pdf, "--pages", "both", "--copies", "2"}), 0) << err.toStdString();
        EXPECT_TRUE(tool("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+4\\n"))) << c.file;
        const QString puzzlePage = tool("pdftotext", {"-f", "2", "-l", "2", pdf, "-"});
        const QString keyPage = tool("pdftotext", {"-f", "3", "-l", "3", pdf, "-"});
        EXPECT_TRUE(puzzlePage.contains(c.title)) << puzzlePage.toStdString();
        EXPECT_FALSE(puzzlePage.contains("<KEY>"));
        EXPECT_TRUE(keyPage.contains(QRegularExpression(QString::fromLatin1(c.title) + "\\s+<KEY>"))) << c.file;
        if (QByteArray(c.file).endsWith("mzp"))
            continue;
        // The plain text under the cipher on the key only.
        const QRegularExpression plain("H\\s*E\\s*L\\s*L\\s*O\\s+.*W\\s*O\\s*R\\s*L\\s*D",
                                       QRegularExpression::DotMatchesEverythingOption);
        EXPECT_TRUE(keyPage.contains(plain)) << keyPage.toStdString();
        EXPECT_FALSE(puzzlePage.contains(plain));
    }

    write(pdf, "old");
    for (const char* hostile : {"hostile.sbp", "hostile.mzp"}) {
        write(dir.filePath(hostile), QByteArray(976, '\x57'));
        EXPECT_EQ(run({dir.filePath(hostile), pdf}), 1);
        EXPECT_TRUE(err.contains("cannot be read (code -3)")) << err.toStdString();
        EXPECT_EQ(contents(pdf), "old");
    }
}

// The real program runs with no display at all.
TEST_F(PrintVerbTest, RunsWithoutADisplay)
{
    QProcess maker;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    maker.setProcessEnvironment(env);
    maker.start(BRAINLOFT_MAKE, {"print", puzzle, pdf, "--pages", "both"});
    ASSERT_TRUE(maker.waitForFinished(30000));
    EXPECT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
    EXPECT_TRUE(tool("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+2\\n")));
}

TEST(PdfSheets, OneFileARunAndNothingWithoutASheet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("run.pdf");
    {
        PdfSheets none(path, DefaultPdfLayout(QPageSize::A4), 300);
        EXPECT_TRUE(none.finish());
        EXPECT_FALSE(QFile::exists(path));
    }
    PdfSheets three(path, DefaultPdfLayout(QPageSize::A4), 300);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(three.printSheet([i](QPainter& p, const QRect& r) {
            p.drawText(r, Qt::AlignCenter, QStringLiteral("sheet %1").arg(i + 1));
        }));
    EXPECT_FALSE(QFile::exists(path)); // written whole at the end, not page by page
    ASSERT_TRUE(three.finish());
    EXPECT_TRUE(tool("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+3\\n")));
    EXPECT_TRUE(tool("pdftotext", {"-f", "3", "-l", "3", path, "-"}).contains("sheet 3"));
}
