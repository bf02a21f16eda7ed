// The three fixed-record puzzle files through their public readers and writers: what every
// reader refuses alike, with the code each one gives, and writers that fail without loss.
#include "cryptogram/cryptogramfile.h"
#include "cryptogram/cryptogramformat.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazeformat.h"
#include "platform/atomicfile.h"
#include "platform/fileaccess.h"
#include "platform/rng.h"
#include "wordsearch/wordsearchfile.h"
#include "wordsearch/wordsearchformat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Kind {
    const char* name;
    QString extension;
    recordfile::Format format;
    QByteArray good;                  // a record the program wrote
    QByteArray other;                 // another good record
    QByteArray badContent;            // a whole record with a sound header whose content is refused
    int headerOnlyCode;               // what a file of the header alone gives
    std::function<int(const QString& path)> load;
    std::function<int(const QString& path, const QByteArray& record, QString* error)> save;
};

QByteArray withInt32(QByteArray bytes, int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, bytes.data() + offset);
    return bytes;
}

Kind wordSearch()
{
    using namespace wordsearch;
    WordSearchPuzzle p;
    ClearPuzzle(p);
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            p.grid[x][y] = static_cast<char>('A' + (x + y) % 26);
    p.wordSlots[0].set("CAT");
    p.index.at(3, 4, 5, 4) = 1;
    bool ok = false;
    const QByteArray good = EncodeWordSearchRecord(p, ok);
    p.wordSlots[1].set("DOG");
    p.index.at(7, 7, 7, 9) = 2;
    const QByteArray other = EncodeWordSearchRecord(p, ok);
    QByteArray bad = good;
    bad[format::kTableOffset + 8] = 5; // entry 3: (5, 0, 7, 9)
    bad[format::kTableOffset + 10] = 7;
    bad[format::kTableOffset + 11] = 9;
    return {"word search", ".wsp", format::kFormat, good, other, bad, 0,
            [](const QString& path) {
                WordSearchPuzzle loaded;
                return LoadWordSearchFileAt(path, loaded);
            },
            [](const QString& path, const QByteArray& record, QString* error) {
                WordSearchPuzzle loaded;
                EXPECT_EQ(DecodeWordSearchRecord(record, loaded), 0);
                return SaveWordSearchFileAt(path, loaded, error);
            }};
}

Kind cryptogramKind()
{
    using namespace cryptogram;
    Cryptogram p;
    MakerLines lines;
    lines[0] = "HELLO, WORLD!";
    Rng rng(5);
    BuildCryptogramPuzzle(p, lines, 3, rng);
    const QByteArray good = EncodeCryptogramRecord(p);
    p.text.fill('Z');
    const QByteArray other = EncodeCryptogramRecord(p);
    // Every byte after the header is taken as it is: no whole record is refused for content.
    return {"cryptogram", ".sbp", format::kFormat, good, other, QByteArray(), -4,
            [](const QString& path) {
                Cryptogram loaded;
                return LoadCryptogramFileAt(path, loaded);
            },
            [](const QString& path, const QByteArray& record, QString* error) {
                Cryptogram loaded;
                EXPECT_EQ(DecodeCryptogramRecord(record, loaded), 0);
                return SaveCryptogramFileAt(path, loaded, error);
            }};
}

Kind mazeKind()
{
    using namespace maze;
    MazeGrid grid;
    Rng rng(11);
    const int n = GenerateMaze(grid, kEasy, rng);
    const QByteArray good = EncodeMazeRecord(grid, n);
    const QByteArray other = EncodeMazeRecord(grid, 60);
    return {"maze", ".mzp", format::kFormat, good, other, withInt32(good, format::kMazeSizeOffset, 111), -4,
            [](const QString& path) {
                MazeGrid loaded;
                int size = 0;
                return LoadMazeFileAt(path, loaded, size);
            },
            [](const QString& path, const QByteArray& record, QString* error) {
                MazeGrid loaded;
                int size = 0;
                EXPECT_EQ(DecodeMazeRecord(record, loaded, size), 0);
                return SaveMazeFileAt(path, loaded, size, error);
            }};
}

class RecordFiles : public ::testing::TestWithParam<Kind (*)()> {
protected:
    void SetUp() override { kind = GetParam()(); }
    QString path(const QString& name) const { return dir.filePath(name + kind.extension); }
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    Kind kind;
};

struct SharingScope {
    explicit SharingScope(fileaccess::Sharing s) : previous(fileaccess::processSharing()) { fileaccess::setProcessSharing(s); }
    ~SharingScope() { fileaccess::setProcessSharing(previous); }
    fileaccess::Sharing previous;
};

} // namespace

TEST_P(RecordFiles, EveryReaderGivesItsCodeForTheSameFaults)
{
    const QByteArray& good = kind.good;
    QByteArray wrongMagic = good;
    wrongMagic[3] = char(0x00);
    QByteArray noLength = good;
    noLength[0] = 0;
    QByteArray headerBytes = good; // bytes 5 to 15 and 20 to 255 are never examined
    for (int i : {5, 6, 7, 15, 20, 255})
        headerBytes[i] = char(0x5A);
    const struct {
        const char* name;
        QByteArray bytes;
        int code;
    } cases[] = {
        {"good", good, 0},
        {"longer than the record", good + QByteArray(100000, 'z'), 0},
        {"other header bytes", headerBytes, 0},
        {"empty", QByteArray(), -3},
        {"shorter than the header", good.left(255), kind.format.shortHeader == recordfile::ShortHeader::ReadsAsEmpty ? -3 : -4},
        {"the header alone", good.left(256), kind.headerOnlyCode},
        {"one byte short", good.left(good.size() - 1), kind.headerOnlyCode},
        {"wrong magic", wrongMagic, -3},
        {"no magic length", noLength, -3},
        {"wrong record size", withInt32(good, 16, kind.format.recordSize + 1), -4},
    };
    for (const auto& c : cases) {
        put("case", c.bytes);
        EXPECT_EQ(kind.load(path("case")), c.code) << kind.name << ": " << c.name;
    }
    if (!kind.badContent.isEmpty()) {
        put("case", kind.badContent);
        EXPECT_EQ(kind.load(path("case")), -4) << kind.name << ": bad content";
    }
    EXPECT_EQ(kind.load(path("missing")), -2) << kind.name;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder" + kind.extension));
    EXPECT_EQ(kind.load(path("folder")), -2) << kind.name << ": a folder";
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    EXPECT_EQ(kind.load(path("pipe")), -2) << kind.name << ": a pipe is refused, never waited on";
    ASSERT_TRUE(QFile::link(path("pipe"), path("link-to-pipe")));
    EXPECT_EQ(kind.load(path("link-to-pipe")), -2) << kind.name;
    if (::geteuid() != 0) {
        put("unreadable", good);
        ASSERT_EQ(::chmod(QFile::encodeName(path("unreadable")).constData(), 0), 0);
        EXPECT_EQ(kind.load(path("unreadable")), -2) << kind.name;
    }
}

TEST_P(RecordFiles, LinksAreReadOnlyWhereNoOtherUserCouldPlantThem)
{
    put("real", kind.good);
    ASSERT_TRUE(QFile::link(path("real"), path("link")));
    {
        SharingScope own(fileaccess::Sharing::Private);
        EXPECT_EQ(kind.load(path("link")), 0) << kind.name;
    }
    SharingScope shared(fileaccess::Sharing::UsersGroup);
    EXPECT_EQ(kind.load(path("link")), -2) << kind.name << ": a link in the shared folder is refused";
    EXPECT_EQ(kind.load(path("real")), 0) << kind.name;
}

TEST_P(RecordFiles, AFailingDeviceLosesNothing)
{
    QString error;
    ASSERT_EQ(kind.save(path("Keep"), kind.good, &error), 0) << error.toStdString();
    EXPECT_EQ(read("Keep"), kind.good) << kind.name << ": writes exactly the record";
    const struct {
        qint64 bytes;
        bool atSync;
    } failures[] = {{0, false}, {10, false}, {kind.format.recordSize / 2, false}, {kind.format.recordSize, true}};
    for (const auto& f : failures) {
        atomicfile::FailAfter failing(f.bytes, f.atSync);
        EXPECT_EQ(kind.save(path("Keep"), kind.other, &error), -1) << kind.name << " " << f.bytes;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(read("Keep"), kind.good) << kind.name << " " << f.bytes;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Keep" + kind.extension})
        << "no temporary is left behind";
    // A planted link or folder is never written through, and a missing folder fails.
    ASSERT_TRUE(QFile::link(path("Keep"), path("Link")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("Dir" + kind.extension));
    EXPECT_EQ(kind.save(path("Link"), kind.other, &error), -1);
    EXPECT_EQ(kind.save(path("Dir"), kind.other, &error), -1);
    EXPECT_EQ(kind.save(dir.filePath("none/Keep" + kind.extension), kind.other, &error), -1);
    EXPECT_EQ(read("Keep"), kind.good);
}

TEST_P(RecordFiles, ASaveReplacesTheFileWhoseNameDiffersOnlyInCase)
{
    put("Spring", kind.good);
    QString error;
    ASSERT_EQ(kind.save(path("SPRING"), kind.other, &error), 0) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Spring" + kind.extension});
    EXPECT_EQ(read("Spring"), kind.other);
}

INSTANTIATE_TEST_SUITE_P(ThreeFormats, RecordFiles, ::testing::Values(&wordSearch, &cryptogramKind, &mazeKind));
