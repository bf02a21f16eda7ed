// brainloft-make against what another user, a full disk or a careless script hands it.
#include "support/makerharness.h"
#include "platform/atomicfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Robustness : public MakerHarness {
protected:
    void SetUp() override
    {
        QDir().mkpath(ProgramPaths::puzzleFolderIn(programFolder));
    }
    QString pipe(const QString& name)
    {
        EXPECT_EQ(::mkfifo(QFile::encodeName(dir.filePath(name)).constData(), 0600), 0);
        return dir.filePath(name);
    }

    // The real program, its standard output sent to /dev/full, closed, or to a file.
    enum class Output { Full, Closed, File };
    int runReal(const QStringList& args, Output output, QByteArray* error = nullptr)
    {
        const QByteArray errors = QFile::encodeName(dir.filePath("stderr.txt"));
        const QByteArray outputs = QFile::encodeName(dir.filePath("stdout.txt"));
        QList<QByteArray> owned{BRAINLOFT_MAKE};
        for (const QString& a : args)
            owned << QFile::encodeName(a);
        std::vector<char*> argv;
        for (QByteArray& a : owned)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int e = ::open(errors.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(e, 2);
            if (output == Output::Closed) {
                ::close(1);
            } else {
                const int o = ::open(output == Output::Full ? "/dev/full" : outputs.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
                ::dup2(o, 1);
            }
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (error) {
            QFile f(QFile::decodeName(errors));
            *error = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage stripes()
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(40 + x * 3, 200 - y * 3, 90));
    return image;
}

// A chunk whose checksum is wrong, which the PNG library warns about and reads past.
QByteArray withDamagedAncillaryChunk(const QByteArray& png)
{
    const QByteArray time("\x00\x00\x00\x07tIME\x07\xd0\x01\x01\x00\x00\x00\x00\x00\x00\x00", 19);
    return png.left(33) + time + png.mid(33);
}

} // namespace

// A pipe in place of any input is refused at once, never waited on (the alarm ends a test that
// would hang).
TEST_F(Robustness, EveryInputAPipeIsRefusedNotWaitedOn)
{
    ::alarm(60);
    QDir().mkpath(dir.filePath("set"));
    for (int digit = 1; digit <= 3; ++digit) {
        // Three sets, each with one of its files a pipe.
        for (int other = 1; other <= 3; ++other) {
            const QString name = QStringLiteral("set/P%1.tlp%2").arg(digit).arg(other);
            if (other == digit)
                pipe(name);
            else
                put(name, "x");
        }
    }
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{"wordsearch", pipe("list.txt"), "Out"}, 1},
        {{"cryptogram", pipe("text.txt"), "Out"}, 1},
        {{"picture", pipe("photo.png"), "Out"}, 1},
        {{"check", pipe("a.wsp"), pipe("a.sbp"), pipe("a.mzp"), pipe("a.mid"), dir.filePath("set/P1.tlp1"),
          dir.filePath("set/P2.tlp1"), dir.filePath("set/P3.tlp1")},
         1},
        {{"show", dir.filePath("a.wsp")}, 1},
        {{"show", dir.filePath("a.mzp")}, 1},
        {{"show", dir.filePath("set/P2.tlp1")}, 1},
        {{"picture-export", dir.filePath("set/P3.tlp1"), dir.filePath("out.png")}, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run(c.args), c.status) << c.args.join(' ').toStdString() << "\n" << err.toStdString();
    run(cases[3].args);
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(line.endsWith(": -2")) << line.toStdString();
    EXPECT_TRUE(QDir(programFolder + "Brainloft puzzles").isEmpty());
    // Printing lays pages out in windows: the real program, which makes its own application.
    EXPECT_EQ(runReal({"print", dir.filePath("a.sbp"), dir.filePath("out.pdf")}, Output::File), 1);
    EXPECT_EQ(runReal({"print", dir.filePath("a.mzp"), dir.filePath("out.pdf")}, Output::File), 1);
    ::alarm(0);
}

TEST_F(Robustness, StandardOutputThatCannotBeWrittenFails)
{
    const QString list = put("list.txt", "cat\ndog\n");
    QByteArray error;
    EXPECT_EQ(runReal({"wordsearch", list, "Full", "--folder", dir.path(), "--seed", "1"}, Output::Full, &error), 1);
    EXPECT_EQ(error, "brainloft-make: cannot write standard output: No space left on device\n");
    EXPECT_EQ(runReal({"check", dir.filePath("Full.wsp")}, Output::Closed, &error), 1);
    EXPECT_EQ(error, "brainloft-make: cannot write standard output: Bad file descriptor\n");
    // A closed output is never handed to a file the verb opens: the puzzle stays as written.
    EXPECT_EQ(runReal({"wordsearch", list, "Full", "--folder", dir.path(), "--seed", "1"}, Output::Closed), 1);
    EXPECT_EQ(runReal({"check", dir.filePath("Full.wsp")}, Output::File), 0) << "the file written then is whole";
}

TEST_F(Robustness, OneQuietMessageForEveryVerb)
{
    const QByteArray png = pngBytes(stripes());
    QByteArray error;
    const QString noisy = put("noisy.png", withDamagedAncillaryChunk(png));
    EXPECT_EQ(runReal({"picture", noisy, "Noisy", "--folder", dir.path(), "--seed", "1"}, Output::File, &error), 0);
    EXPECT_EQ(error, "") << "the picture library's warnings are not ours to print";
    const QString cut = put("cut.png", withDamagedAncillaryChunk(png).left(png.size() - 30));
    EXPECT_EQ(runReal({"picture", cut, "Cut", "--folder", dir.path()}, Output::File, &error), 2);
    EXPECT_EQ(error.count('\n'), 1) << error.toStdString();
    EXPECT_TRUE(error.startsWith("brainloft-make picture: ")) << error.toStdString();

    // A huge argument is named by its start and end, not echoed whole.
    const QString huge = dir.filePath(QString(128 * 1024, 'a') + ".txt");
    EXPECT_EQ(run({"wordsearch", huge, "Out"}), 1);
    EXPECT_LT(err.size(), 400) << err.left(200).toStdString();
    EXPECT_TRUE(err.contains("...") && err.contains("a.txt: ")) << err.left(400).toStdString();
    EXPECT_EQ(run({"check", huge.left(huge.size() - 4) + ".wsp"}), 1);
    EXPECT_LT(out.size(), 4200);
}

TEST_F(Robustness, PictureSetsAreCheckedWithTheCodesOfEveryKindAndNamedWhenTheyFail)
{
    const QString photo = put("photo.png", pngBytes(stripes()));
    ASSERT_EQ(run({"picture", photo, "Set", "--folder", dir.path(), "--seed", "2"}), 0) << err.toStdString();
    const QString set = dir.filePath("Set.tlp");
    const auto copySet = [&](const QString& name, int digit, const QByteArray& bytes) {
        for (int d = 1; d <= 3; ++d) {
            QFile::remove(dir.filePath(name + QString::number(d)));
            if (d == digit && bytes == "<none>")
                continue;
            if (d == digit)
                put(name + QString::number(d), bytes);
            else
                QFile::copy(set + QString::number(d), dir.filePath(name + QString::number(d)));
        }
        return dir.filePath(name + "1");
    };
    const struct {
        const char* what;
        int digit;
        QByteArray bytes;
        int code;
    } cases[] = {
        {"file 3 missing", 3, "<none>", -2},
        {"file 1 no bitmap", 1, "GIF89a", -3},
        {"file 3 no bitmap", 3, QByteArray(100, 'z'), -3},
        {"file 2 no cell numbers", 2, "49\r\n", -4},
        {"file 1 cut short", 1, QByteArray("BM") + QByteArray(60, '\0'), -4},
    };
    for (const auto& c : cases) {
        const QString first = copySet("Bad.tlp", c.digit, c.bytes);
        EXPECT_EQ(run({"check", first}), 1) << c.what;
        EXPECT_EQ(out, first + ": " + QString::number(c.code) + "\n") << c.what;
        EXPECT_TRUE(err.contains("Bad.tlp" + QString::number(c.digit))) << c.what << ": " << err.toStdString();
    }

    // A failed save names the file that failed, not the set.
    {
        atomicfile::FailAfter full(921654 + 10); // file 1 whole, then the disk is full
        EXPECT_EQ(run({"picture", photo, "Set", "--folder", dir.path(), "--seed", "3"}), 1);
    }
    EXPECT_TRUE(err.contains("could not save " + set + "2: No space left on device")) << err.toStdString();

    // The solved picture never goes over a file of the set, under whatever name.
    ASSERT_TRUE(QFile::link(set + "3", dir.filePath("alias.png")));
    for (const QString& output : {set + "1", set + "2", dir.filePath("alias.png")}) {
        EXPECT_EQ(run({"picture-export", set + "1", output}), 2) << output.toStdString();
        EXPECT_TRUE(err.contains("is a file of the puzzle itself")) << err.toStdString();
    }
    EXPECT_EQ(run({"check", set + "1"}), 0) << "the set still loads";
}
