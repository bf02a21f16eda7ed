#include "platform/atomicfile.h"
#include "platform/fileaccess.h"
#include "platform/folderlock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The folder's files, hidden ones included, in name order and joined by blanks.
std::string entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name).join(' ').toStdString();
}

// Runs body in a child process and returns its exit status; what the child leaves on disk is
// what a process killed at that point leaves.
int inChild(const std::function<void()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

struct SharingScope {
    explicit SharingScope(fileaccess::Sharing s) : previous(fileaccess::processSharing()) { fileaccess::setProcessSharing(s); }
    ~SharingScope() { fileaccess::setProcessSharing(previous); }
    fileaccess::Sharing previous;
};

} // namespace

TEST(AtomicFile, WrittenFilesGetTheProgramsModesWhateverTheOldFileHad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const struct {
        fileaccess::Sharing sharing;
        mode_t mode;
    } cases[] = {
        {fileaccess::Sharing::UsersGroup, 0664},
        {fileaccess::Sharing::Private, 0644},
        {fileaccess::Sharing::Everyone, 0666 & ~mask},
    };
    for (const auto& c : cases) {
        SharingScope sharing(c.sharing);
        ASSERT_TRUE(atomicfile::WriteFile(path, "old"));
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 06777), 0);
        QString error;
        ASSERT_TRUE(atomicfile::WriteFile(path, "new contents", &error)) << error.toStdString();
        EXPECT_EQ(readAll(path), "new contents");
        EXPECT_EQ(modeOf(path), c.mode) << "no set-id or sticky bit survives a save";
    }
}

TEST(AtomicFile, RefusesWhatIsNoRegularFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    ASSERT_TRUE(atomicfile::WriteFile(path, "kept"));
    QString error;
    ASSERT_TRUE(QFile::link(path, dir.filePath("link.bin")));
    EXPECT_FALSE(atomicfile::WriteFile(dir.filePath("link.bin"), "x", &error));
    EXPECT_EQ(error, "is a symbolic link");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_FALSE(atomicfile::WriteFile(dir.filePath("sub"), "x", &error));
    EXPECT_EQ(error, "is a folder");
    EXPECT_FALSE(atomicfile::WriteFile(dir.filePath("none/a.bin"), "x", &error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(readAll(path), "kept");
}

TEST(AtomicFile, SetIsWrittenAllOrNoneAndAFailureNamesItsFile)
{
    QTemporaryDir dir;
    const QString one = dir.filePath("p.tlp1"), two = dir.filePath("p.tlp2"), three = dir.filePath("p.tlp3");
    ASSERT_TRUE(atomicfile::WriteFiles({{one, "1old"}, {two, "2old"}}));
    const QByteArray big(5000, 'x');
    // Failing in the second or third file, at a sync or at a rename leaves the old set and no stray file.
    const struct {
        qint64 bytes;
        bool atSync;
        int atRename;
        const char* error;
        QString failed;
    } cases[] = {
        {0, false, -1, "No space left on device", one},
        {5000, false, -1, "No space left on device", two},
        {9000, false, -1, "No space left on device", two},
        {15000, true, -1, "Input/output error", one},
        {1 << 20, false, 1, "Input/output error", two},
        {1 << 20, false, 2, "Input/output error", three},
    };
    for (const auto& c : cases) {
        atomicfile::FailAfter failing(c.bytes, c.atSync, c.atRename);
        QString error;
        atomicfile::Outcome outcome;
        EXPECT_FALSE(atomicfile::WriteFiles({{one, big}, {two, big}, {three, big}}, &error, atomicfile::Match::Exact, &outcome));
        EXPECT_EQ(error, c.error) << c.bytes;
        EXPECT_EQ(outcome.failedPath, c.failed) << c.bytes;
        EXPECT_EQ(readAll(one), "1old");
        EXPECT_EQ(readAll(two), "2old");
        EXPECT_FALSE(QFile::exists(three));
        EXPECT_EQ(entries(dir.path()), "p.tlp1 p.tlp2") << c.bytes << " " << c.atRename;
    }
    ASSERT_TRUE(atomicfile::WriteFiles({{one, "1"}, {two, "2"}, {three, "3"}}));
    EXPECT_EQ(readAll(one) + readAll(two) + readAll(three), "123");
    EXPECT_EQ(entries(dir.path()), "p.tlp1 p.tlp2 p.tlp3");

    // Named relative to the working folder, the same.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const bool relative = atomicfile::WriteFiles({{"./p.tlp1", "a"}, {"p.tlp2", "b"}, {"./p.tlp3", "c"}});
    QDir::setCurrent(before);
    EXPECT_TRUE(relative);
    EXPECT_EQ(readAll(one) + readAll(two) + readAll(three), "abc");
    EXPECT_EQ(entries(dir.path()), "p.tlp1 p.tlp2 p.tlp3");
}

// A process killed at any step of replacing a set leaves, once the folder's saves are finished,
// the whole old set or the whole new one, and nothing else; so does one whose rename failed and
// that was killed while putting the old set back.
TEST(AtomicFile, SetSurvivesAKillAtEveryStep)
{
    const QStringList names = {"p.tlp1", "p.tlp2", "p.tlp3"};
    const auto newSet = [&](const QString& folder) {
        QList<std::pair<QString, QByteArray>> files;
        for (const QString& n : names)
            files.append({folder + "/" + n, "new " + n.toLatin1()});
        return files;
    };
    for (const int failRename : {-1, 1}) {
        int steps = 0;
        {
            QTemporaryDir dry;
            atomicfile::OnStep count([&](int, const char*) { ++steps; });
            ASSERT_TRUE(atomicfile::WriteFiles({{dry.filePath("p.tlp1"), "old"}, {dry.filePath("p.tlp2"), "old"}}));
            steps = 0;
            atomicfile::FailAfter failing(1 << 30, false, failRename);
            atomicfile::WriteFiles(newSet(dry.path()));
        }
        ASSERT_GE(steps, failRename < 0 ? 9 : 8);
        for (int kill = 0; kill < steps; ++kill) {
            QTemporaryDir dir;
            ASSERT_TRUE(atomicfile::WriteFiles({{dir.filePath("p.tlp1"), "old p.tlp1"}, {dir.filePath("p.tlp2"), "old p.tlp2"}}));
            const int status = inChild([&] {
                atomicfile::OnStep die([&](int step, const char*) {
                    if (step == kill)
                        ::_exit(42);
                });
                atomicfile::FailAfter failing(1 << 30, false, failRename);
                atomicfile::WriteFiles(newSet(dir.path()));
            });
            ASSERT_EQ(status, 42) << "killed at step " << kill;
            atomicfile::FinishInterruptedSaves(dir.path());
            const QByteArray first = readAll(dir.filePath("p.tlp1"));
            if (first == "new p.tlp1") {
                for (const QString& n : names)
                    EXPECT_EQ(readAll(dir.filePath(n)), "new " + n.toLatin1()) << "step " << kill << " " << failRename;
                EXPECT_EQ(entries(dir.path()), "p.tlp1 p.tlp2 p.tlp3") << "step " << kill;
            } else {
                EXPECT_EQ(first, "old p.tlp1") << "step " << kill << " " << failRename;
                EXPECT_EQ(readAll(dir.filePath("p.tlp2")), "old p.tlp2") << "step " << kill << " " << failRename;
                EXPECT_EQ(entries(dir.path()), "p.tlp1 p.tlp2") << "step " << kill << " " << failRename;
            }
        }
    }
}

TEST(AtomicFile, LeftoversOfDeadWritersGoAndThoseOfLiveOnesStay)
{
    QTemporaryDir dir;
    const auto plant = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    plant("Lake.tlp1", "the set");
    plant(".brainloft-a1B2c3", QByteArray(900000, 'x')); // a dead writer's temporary
    plant("Lake.tlp1.brainloft-old-Zz9Yy8", "old");       // an old file a dead writer kept
    plant(".brainloft-journal-Qq1Ww2", "brainloft journal 1\nrename\t.brainloft-a1B2c3\tLake.tlp1\n"); // torn
    plant(".brainloft-journal-Ee3Rr4", "brainloft journal 1\nrename\t.brainloft-000000\t../escape\nend\n"); // forged
    plant(".brainloft-notours", "kept: not a name we make");
    // A live writer's temporary: its writer holds it locked.
    plant(".brainloft-L1v3Ok", "live");
    const int live = ::open(QFile::encodeName(dir.filePath(".brainloft-L1v3Ok")).constData(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    atomicfile::FinishInterruptedSaves(dir.path());
    EXPECT_EQ(entries(dir.path()), ".brainloft-L1v3Ok .brainloft-notours Lake.tlp1");
    EXPECT_EQ(readAll(dir.filePath("Lake.tlp1")), "the set") << "a torn journal is never applied";
    ::close(live);
    atomicfile::FinishInterruptedSaves(dir.path());
    EXPECT_EQ(entries(dir.path()), ".brainloft-notours Lake.tlp1");
}

// Two saves of names that differ only in case make one file: the second, started while the
// first holds the folder, cannot create its own name meanwhile and later replaces the first's.
TEST(AtomicFile, NamesDifferingInCaseNeverMakeTwoFiles)
{
    QTemporaryDir dir;
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        atomicfile::OnStep pause([&](int, const char*) {
            char c = 'x';
            (void)::write(toParent[1], &c, 1);
            (void)::read(toChild[0], &c, 1);
        });
        ::_exit(atomicfile::WriteFile(dir.filePath("Lake.wsp"), "first", nullptr, atomicfile::Match::IgnoringCase) ? 0 : 1);
    }
    char c = 0;
    ASSERT_EQ(::read(toParent[0], &c, 1), 1) << "the first save has written its temporary";
    {
        FolderLock::Wait noWait(0);
        QString error;
        EXPECT_FALSE(atomicfile::WriteFile(dir.filePath("LAKE.wsp"), "second", &error, atomicfile::Match::IgnoringCase));
        EXPECT_EQ(error, "another save in the folder did not finish");
    }
    for (int i = 0; i < 4; ++i)
        (void)::write(toChild[1], "go", 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    atomicfile::Outcome outcome;
    ASSERT_TRUE(atomicfile::WriteFile(dir.filePath("LAKE.wsp"), "second", nullptr, atomicfile::Match::IgnoringCase, &outcome));
    EXPECT_EQ(outcome.written, QStringList{dir.filePath("Lake.wsp")});
    EXPECT_EQ(entries(dir.path()), "Lake.wsp");
    EXPECT_EQ(readAll(dir.filePath("Lake.wsp")), "second");
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        ::close(fd);

    // And racing for real: pairs of saves at once leave one file each time.
    for (int round = 0; round < 10; ++round) {
        QTemporaryDir race;
        const QString a = race.filePath("Spring.mzp"), b = race.filePath("SPRING.mzp");
        const pid_t first = ::fork();
        if (first == 0)
            ::_exit(atomicfile::WriteFile(a, "a", nullptr, atomicfile::Match::IgnoringCase) ? 0 : 1);
        const bool second = atomicfile::WriteFile(b, "b", nullptr, atomicfile::Match::IgnoringCase);
        ::waitpid(first, &status, 0);
        EXPECT_TRUE(second && WIFEXITED(status) && WEXITSTATUS(status) == 0);
        const std::string left = entries(race.path());
        EXPECT_TRUE(left == "Spring.mzp" || left == "SPRING.mzp") << left;
    }
}

TEST(FolderLock, NestsInAThreadWaitsBoundedlyAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString lockFile = dir.filePath(FolderLock::lockFileName());
    // A link planted in the lock file's place is no lock: it goes, and the lock is taken.
    ASSERT_TRUE(QFile::link("/dev/null", lockFile));
    {
        FolderLock outer(dir.path());
        ASSERT_TRUE(outer.locked()) << outer.error().toStdString();
        FolderLock inner(dir.path());
        EXPECT_TRUE(inner.locked()) << "the same thread takes it again";
        EXPECT_TRUE(QFile::exists(lockFile));
    }
    EXPECT_FALSE(QFileInfo::exists(lockFile)) << "let go, the lock file goes";

    // Held by another process, it is not had, and the wait for it ends.
    int held[2];
    int release[2];
    ASSERT_EQ(::pipe(held), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        FolderLock lock(dir.path());
        char c = lock.locked() ? 'y' : 'n';
        (void)::write(held[1], &c, 1);
        (void)::read(release[0], &c, 1);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(held[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    {
        FolderLock::Wait brief(0);
        FolderLock other(dir.path());
        EXPECT_FALSE(other.locked());
    }
    (void)::write(release[1], "x", 1);
    int status = 0;
    ::waitpid(holder, &status, 0);
    FolderLock after(dir.path());
    EXPECT_TRUE(after.locked()) << "the holder's end lets it go";
    for (int fd : {held[0], held[1], release[0], release[1]})
        ::close(fd);
}
