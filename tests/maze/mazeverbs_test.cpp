// brainloft-make's maze verb and its .mzp check and show.
#include "support/makerharness.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "platform/rng.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using MazeVerbsTest = MakerHarness;

} // namespace

TEST_F(MazeVerbsTest, MakesTheProgramsMazeForASeed)
{
    ASSERT_EQ(run({"maze", "Twisty", "--seed", "42"}), 0) << err.toStdString();
    EXPECT_EQ(out, puzzlePath("Twisty.mzp") + "\n");
    EXPECT_TRUE(err.isEmpty());

    maze::MazeGrid expected;
    Rng rng(42);
    const int n = maze::GenerateMaze(expected, 60, rng);
    EXPECT_EQ(read(puzzlePath("Twisty.mzp")), maze::EncodeMazeRecord(expected, n)) << "60 is the default level";

    for (const char* level : {"30", "100"}) {
        ASSERT_EQ(run({"maze", "Level", "--level", level, "--seed", "7", "--folder", dir.path()}), 0);
        maze::MazeGrid grid;
        int size = 0;
        ASSERT_EQ(maze::LoadMazeFileAt(dir.filePath("Level.mzp"), grid, size), 0);
        EXPECT_EQ(size, QString(level).toInt());
        const QByteArray first = read(dir.filePath("Level.mzp"));
        ASSERT_EQ(run({"maze", "Level", "--seed", "7", "--level", level, "--folder", dir.path()}), 0);
        EXPECT_EQ(read(dir.filePath("Level.mzp")), first) << "same level and seed, same bytes";
    }
}

TEST_F(MazeVerbsTest, RefusedArgumentsWriteNothing)
{
    struct Case {
        QStringList args;
        int status;
    };
    const Case cases[] = {
        {{"maze"}, 2},
        {{"maze", "A", "B"}, 2},
        {{"maze", "A", "--level", "45"}, 2},
        {{"maze", "A", "--level", "0"}, 2},
        {{"maze", "A", "--level", "hard"}, 2},
        {{"maze", "A", "--level"}, 2},
        {{"maze", "A", "--seed", "x"}, 2},
        {{"maze", "a/b"}, 2},
        {{"maze", ""}, 2},
        {{"maze", "A", "--folder", dir.path() + "/none"}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args.join(' ').toStdString();
        EXPECT_EQ(err.count('\n'), 1) << c.args.join(' ').toStdString() << ": " << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
    EXPECT_FALSE(QDir(programFolder + "Brainloft puzzles").exists() &&
                 !QDir(programFolder + "Brainloft puzzles").isEmpty());
    EXPECT_FALSE(QDir(dir.path() + "/none").exists());
    ASSERT_EQ(run({"maze", "--help"}), 0);
    EXPECT_TRUE(out.contains("--level L")) << out.toStdString();
}

TEST_F(MazeVerbsTest, CheckAndShowReadMazeFiles)
{
    maze::MazeGrid grid;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            grid.at(x, y) = (x == 0 || y == 0 || x == 3 || y == 3) ? maze::mcWall : maze::mcOpen;
    grid.at(1, 0) = grid.at(1, 1) = grid.at(1, 2) = grid.at(2, 2) = grid.at(2, 3) = maze::mcRoute;
    grid.at(5, 5) = maze::mcWall; // outside the maze: not shown
    ASSERT_EQ(maze::SaveMazeFileAt(dir.filePath("small.MZP"), grid, 4), 0);
    QFile broken(dir.filePath("broken.mzp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(maze::EncodeMazeRecord(grid, 4).left(300));
    broken.close();

    EXPECT_EQ(run({"check", dir.filePath("small.MZP")}), 0);
    EXPECT_EQ(out, dir.filePath("small.MZP") + ": 0\n");
    EXPECT_EQ(run({"check", dir.filePath("broken.mzp"), dir.filePath("gone.mzp")}), 1);
    EXPECT_EQ(out, dir.filePath("broken.mzp") + ": -4\n" + dir.filePath("gone.mzp") + ": -2\n");

    ASSERT_EQ(run({"show", dir.filePath("small.MZP")}), 0);
    EXPECT_EQ(out, "#.##\n#. #\n#..#\n##.#\nN=4\n");
    EXPECT_EQ(run({"show", dir.filePath("broken.mzp")}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("(code -4)")) << err.toStdString();
}
