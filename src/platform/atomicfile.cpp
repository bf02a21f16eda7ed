#include "platform/atomicfile.h"

#include "platform/fileaccess.h"
#include "platform/filenames.h"
#include "platform/folderlock.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <optional>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {
namespace {

struct FailureInjection {
    bool active = false;
    qint64 bytesLeft = 0;
    bool failSync = false;
    int failRename = -1;
};
thread_local FailureInjection injection;
thread_local std::function<void(int, const char*)> stepHook;
thread_local int stepCount = 0;

void step(const char* what)
{
    if (stepHook)
        stepHook(stepCount++, what);
}

// What writers leave in a folder while they work: "<dir>/.brainloft-XXXXXX" temporaries,
// "<dir>/.brainloft-journal-XXXXXX" journals and "<target>.brainloft-old-XXXXXX" old files.
const QByteArray kTemporaryPrefix = ".brainloft-";
const QByteArray kJournalPrefix = ".brainloft-journal-";
const QByteArray kOldInfix = ".brainloft-old-";
const QByteArray kJournalHead = "brainloft journal 1";

bool isUniqueSuffix(const QByteArray& s)
{
    return s.size() == 6 && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

bool isTemporaryName(const QByteArray& name)
{
    return name.startsWith(kTemporaryPrefix) && isUniqueSuffix(name.mid(kTemporaryPrefix.size()));
}

bool isJournalName(const QByteArray& name)
{
    return name.startsWith(kJournalPrefix) && isUniqueSuffix(name.mid(kJournalPrefix.size()));
}

bool isOldName(const QByteArray& name)
{
    const qsizetype at = name.lastIndexOf(kOldInfix);
    return at > 0 && isUniqueSuffix(name.mid(at + kOldInfix.size()));
}

// A plain name inside the folder, nothing that leads out of it or breaks a journal line.
bool isPlainName(const QByteArray& name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\n') &&
           !name.contains('\t') && !name.contains('\0');
}

QString reason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QByteArray in(const QByteArray& folder, const QByteArray& name)
{
    return folder + '/' + name;
}

// Writes everything or reports why not.
bool writeAll(int fd, const QByteArray& bytes, int& code)
{
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        qint64 chunk = left;
        if (injection.active) {
            if (injection.bytesLeft <= 0) {
                code = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, injection.bytesLeft);
        }
        const ssize_t n = ::write(fd, data, static_cast<size_t>(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            code = errno;
            return false;
        }
        if (n == 0) {
            code = EIO;
            return false;
        }
        if (injection.active)
            injection.bytesLeft -= n;
        data += n;
        left -= n;
    }
    return true;
}

bool syncFile(int fd, int& code)
{
    if (injection.active && injection.failSync) {
        code = EIO;
        return false;
    }
    if (::fsync(fd) != 0) {
        code = errno;
        return false;
    }
    return true;
}

// Makes the folder's names durable. A file system that cannot sync a folder has nothing to sync.
bool syncFolder(const QByteArray& folder, int& code)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        code = errno;
        return false;
    }
    bool ok = true;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        code = errno;
        ok = false;
    }
    ::close(fd);
    return ok;
}

void syncFolderQuietly(const QByteArray& folder)
{
    int ignored = 0;
    (void)syncFolder(folder, ignored);
}

// A target may be replaced when it is a regular file or absent; a link, folder, device or pipe
// in its place is refused, so a name planted in a shared folder never redirects a save.
bool targetReplaceable(const QByteArray& target, bool& existed, QString* error)
{
    struct stat st {};
    if (::lstat(target.constData(), &st) != 0) {
        if (errno == ENOENT) {
            existed = false;
            return true;
        }
        fail(error, reason(errno));
        return false;
    }
    if (S_ISLNK(st.st_mode)) {
        fail(error, QStringLiteral("is a symbolic link"));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        fail(error, S_ISDIR(st.st_mode) ? QStringLiteral("is a folder") : QStringLiteral("is not a regular file"));
        return false;
    }
    existed = true;
    return true;
}

// A new, empty file of a unique name made from pattern (ending in XXXXXX), locked by us; -1 on
// failure. The lock tells whoever cleans the folder that the file's writer still lives.
int createLocked(QByteArray& pattern, int& code)
{
    const QByteArray original = pattern;
    for (int attempt = 0; attempt < 8; ++attempt) {
        pattern = original;
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0) {
            code = errno;
            return -1;
        }
        // A cleaner that opened it first, in the instant before our lock, may remove it.
        struct stat st {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    code = EAGAIN;
    return -1;
}

struct Temporary {
    QByteArray name;     // the target's name in the folder
    QByteArray target;   // its path
    QByteArray path;     // the temporary's path, empty once renamed or removed
    QByteArray tempName; // the temporary's name in the folder
    int fd = -1;         // open and locked until the temporary is renamed
    bool existed = false;
    QByteArray backupName; // an old target's second name while a set is replaced
};

void closeTemporary(Temporary& t)
{
    if (t.fd >= 0)
        ::close(t.fd);
    t.fd = -1;
}

void removeTemporary(Temporary& t)
{
    if (!t.path.isEmpty())
        ::unlink(t.path.constData());
    t.path.clear();
    closeTemporary(t);
}

// Writes bytes into a new temporary beside the target and syncs it.
bool writeTemporary(const QByteArray& folder, const QByteArray& bytes, Temporary& t, QString* error)
{
    if (!targetReplaceable(t.target, t.existed, error))
        return false;
    QByteArray pattern = in(folder, kTemporaryPrefix + "XXXXXX");
    int code = 0;
    const int fd = createLocked(pattern, code);
    if (fd < 0) {
        fail(error, reason(code));
        return false;
    }
    t.fd = fd;
    t.path = pattern;
    t.tempName = pattern.mid(folder.size() + 1);
    bool ok = writeAll(fd, bytes, code);
    if (ok && ::fchmod(fd, static_cast<mode_t>(fileaccess::writtenFileMode())) != 0) {
        code = errno;
        ok = false;
    }
    ok = ok && syncFile(fd, code);
    if (!ok) {
        fail(error, reason(code));
        removeTemporary(t);
    }
    return ok;
}

bool renameInjected(const QByteArray& from, const QByteArray& to, int index, int& code)
{
    if (injection.active && injection.failRename == index) {
        code = EIO;
        return false;
    }
    if (::rename(from.constData(), to.constData()) != 0) {
        code = errno;
        return false;
    }
    return true;
}

// A journal: what must happen to the folder's names for a set to be whole, applied in order
// and harmless to apply again.
struct Operation {
    enum Kind { Rename, Remove, Cancel } kind;
    QByteArray name;
    QByteArray to;
};

QByteArray journalText(const QList<Operation>& operations)
{
    QByteArray text = kJournalHead + '\n';
    for (const Operation& op : operations) {
        switch (op.kind) {
        case Operation::Rename:
            text += "rename\t" + op.name + '\t' + op.to + '\n';
            break;
        case Operation::Remove:
            text += "remove\t" + op.name + '\n';
            break;
        case Operation::Cancel:
            text += "cancel\t" + op.name + '\n';
            break;
        }
    }
    return text + "end\n";
}

// False for a journal that was cut short or is not one of ours. Names that would reach outside
// the folder, or renames of anything but a writer's temporary or old file, are refused.
bool parseJournal(const QByteArray& text, QList<Operation>& operations)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 3 || lines.first() != kJournalHead || !lines.last().isEmpty() ||
        lines[lines.size() - 2] != "end")
        return false;
    for (qsizetype i = 1; i < lines.size() - 2; ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        if (fields.size() == 3 && fields[0] == "rename" && isPlainName(fields[1]) && isPlainName(fields[2]) &&
            (isTemporaryName(fields[1]) || isOldName(fields[1])) && !fields[2].startsWith('.'))
            operations.push_back({Operation::Rename, fields[1], fields[2]});
        else if (fields.size() == 2 && fields[0] == "remove" && isPlainName(fields[1]) && !isJournalName(fields[1]))
            operations.push_back({Operation::Remove, fields[1], {}});
        else if (fields.size() == 2 && fields[0] == "cancel" && isJournalName(fields[1]))
            operations.push_back({Operation::Cancel, fields[1], {}});
        else
            return false;
    }
    return true;
}

void apply(const QByteArray& folder, const QList<Operation>& operations)
{
    for (const Operation& op : operations) {
        const QByteArray path = in(folder, op.name);
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || S_ISDIR(st.st_mode))
            continue;
        if (op.kind == Operation::Rename) {
            if (S_ISREG(st.st_mode))
                ::rename(path.constData(), in(folder, op.to).constData());
        } else {
            ::unlink(path.constData());
        }
    }
}

// Writes a journal, synced with its folder, and keeps it locked while it is worked through.
bool writeJournal(const QByteArray& folder, const QList<Operation>& operations, QByteArray& name, int& fd,
                  int& code)
{
    QByteArray pattern = in(folder, kJournalPrefix + "XXXXXX");
    fd = createLocked(pattern, code);
    if (fd < 0)
        return false;
    name = pattern.mid(folder.size() + 1);
    if (writeAll(fd, journalText(operations), code) && syncFile(fd, code) && syncFolder(folder, code))
        return true;
    ::unlink(pattern.constData());
    ::close(fd);
    fd = -1;
    return false;
}

// Opens a file a writer may still hold; -1 unless no live process holds it and the name still
// names it.
int openAbandoned(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat own {};
    struct stat named {};
    if (::fstat(fd, &own) == 0 && S_ISREG(own.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(path.constData(), &named) == 0 && named.st_dev == own.st_dev && named.st_ino == own.st_ino)
        return fd;
    ::close(fd);
    return -1;
}

QList<QByteArray> namesIn(const QByteArray& folder)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        // A lock file left by a holder that died goes too, when the lock is let go.
        if (isTemporaryName(name) || isJournalName(name) || isOldName(name) || name == QFile::encodeName(FolderLock::lockFileName()))
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

// The folder is locked by us.
void finishLocked(const QByteArray& folder)
{
    const QList<QByteArray> names = namesIn(folder);
    if (names.isEmpty())
        return;
    struct Journal {
        QByteArray name;
        int fd = -1;
        bool whole = false;
        QList<Operation> operations;
    };
    QList<Journal> journals;
    bool liveJournal = false;
    for (const QByteArray& name : names) {
        if (!isJournalName(name))
            continue;
        Journal j;
        j.name = name;
        const QByteArray path = in(folder, name);
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
            if (!S_ISDIR(st.st_mode))
                ::unlink(path.constData()); // planted, not written by any of us
            continue;
        }
        j.fd = openAbandoned(path);
        if (j.fd < 0) {
            liveJournal = true;
            continue;
        }
        QByteArray text(64 * 1024, '\0');
        const ssize_t n = ::read(j.fd, text.data(), static_cast<size_t>(text.size()));
        text.truncate(std::max<ssize_t>(n, 0));
        j.whole = n > 0 && n < 64 * 1024 && parseJournal(text, j.operations);
        journals.push_back(j);
    }
    // A rollback cancels the journal it undoes: that one is dropped unapplied.
    QList<QByteArray> cancelled;
    for (const Journal& j : journals)
        for (const Operation& op : j.operations)
            if (j.whole && op.kind == Operation::Cancel) {
                ::unlink(in(folder, op.name).constData());
                cancelled.push_back(op.name);
            }
    bool changed = false;
    for (const Journal& j : journals) {
        if (j.whole && !cancelled.contains(j.name)) {
            apply(folder, j.operations);
            changed = true;
        }
    }
    if (changed)
        syncFolderQuietly(folder);
    for (Journal& j : journals) {
        ::unlink(in(folder, j.name).constData());
        ::close(j.fd);
    }
    // Temporaries nobody holds any more, and old files that no unfinished set still needs.
    for (const QByteArray& name : names) {
        const QByteArray path = in(folder, name);
        if (isTemporaryName(name)) {
            struct stat st {};
            if (::lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
                ::unlink(path.constData());
                continue;
            }
            const int fd = openAbandoned(path);
            if (fd >= 0) {
                ::unlink(path.constData());
                ::close(fd);
            }
        } else if (isOldName(name) && !liveJournal) {
            struct stat st {};
            if (::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
                ::unlink(path.constData());
        }
    }
    syncFolderQuietly(folder);
}

// A name for an old target's second name that nothing else has.
bool reserveOldName(const QByteArray& folder, Temporary& t, int& code)
{
    QByteArray pattern = in(folder, t.name + kOldInfix + "XXXXXX");
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        code = errno;
        return false;
    }
    ::close(fd);
    ::unlink(pattern.constData());
    t.backupName = pattern.mid(folder.size() + 1);
    return true;
}

bool writeSet(const QList<std::pair<QString, QByteArray>>& files, QString* error, Match match, Outcome* outcome)
{
    Outcome ignored;
    Outcome& result = outcome ? *outcome : ignored;
    result = Outcome{};
    if (files.isEmpty())
        return true;
    const QString folderName = QFileInfo(files.front().first).absolutePath();
    const QByteArray folder = QFile::encodeName(folderName);
    for (const auto& file : files) {
        if (QFileInfo(file.first).absolutePath() != folderName) {
            result.failedPath = file.first;
            fail(error, QStringLiteral("the files of a set must share a folder"));
            return false;
        }
    }

    const bool set = files.size() > 1;
    std::optional<FolderLock> lock;
    if (set || match == Match::IgnoringCase) {
        lock.emplace(folderName);
        if (!lock->locked()) {
            result.failedPath = files.front().first;
            fail(error, lock->error());
            return false;
        }
        finishLocked(folder);
    }

    QList<Temporary> temps(files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString name = QFileInfo(files[i].first).fileName();
        const QString target = match == Match::IgnoringCase ? filenames::resolveInFolder(folderName, name)
                                                             : files[i].first;
        result.written << target;
        temps[i].name = QFile::encodeName(QFileInfo(target).fileName());
        temps[i].target = in(folder, temps[i].name);
    }
    auto abandon = [&] {
        for (Temporary& t : temps)
            removeTemporary(t);
    };
    auto closeAll = [&] {
        for (Temporary& t : temps)
            closeTemporary(t);
    };
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (set && !isPlainName(temps[i].name)) {
            result.failedPath = result.written[i];
            fail(error, QStringLiteral("the name holds a tab or a line break"));
            abandon();
            return false;
        }
        if (!writeTemporary(folder, files[i].second, temps[i], error)) {
            result.failedPath = result.written[i];
            abandon();
            return false;
        }
        step("temporary written");
    }

    int code = 0;
    if (!set) {
        Temporary& t = temps.front();
        if (!renameInjected(t.path, t.target, 0, code)) {
            result.failedPath = result.written.front();
            fail(error, reason(code));
            abandon();
            return false;
        }
        t.path.clear();
        step("renamed");
        const bool synced = syncFolder(folder, code);
        closeAll();
        if (!synced) {
            result.failedPath = result.written.front();
            fail(error, reason(code));
            return false;
        }
        step("folder synced");
        return true;
    }

    // Every old file keeps a second name until the whole set is in place, so a failed rename can
    // put the old set back; the journal says how to finish the set after a crash.
    QList<Operation> forward;
    for (Temporary& t : temps) {
        if (t.existed && !reserveOldName(folder, t, code)) {
            result.failedPath = QFile::decodeName(t.target);
            fail(error, reason(code));
            abandon();
            return false;
        }
        forward.push_back({Operation::Rename, t.tempName, t.name});
    }
    for (const Temporary& t : temps)
        if (t.existed)
            forward.push_back({Operation::Remove, t.backupName, {}});
    QByteArray journal;
    int journalFd = -1;
    if (!writeJournal(folder, forward, journal, journalFd, code)) {
        result.failedPath = result.written.front();
        fail(error, reason(code));
        abandon();
        return false;
    }
    step("journal written");
    auto dropJournal = [&](const QByteArray& name, int& fd) {
        ::unlink(in(folder, name).constData());
        syncFolderQuietly(folder);
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    };
    for (Temporary& t : temps) {
        if (t.existed && ::link(t.target.constData(), in(folder, t.backupName).constData()) != 0) {
            code = errno;
            result.failedPath = QFile::decodeName(t.target);
            fail(error, reason(code));
            for (const Temporary& done : temps)
                if (!done.backupName.isEmpty())
                    ::unlink(in(folder, done.backupName).constData());
            abandon();
            dropJournal(journal, journalFd);
            return false;
        }
        if (t.existed)
            step("old file kept");
    }
    for (qsizetype i = 0; i < temps.size(); ++i) {
        Temporary& t = temps[i];
        if (renameInjected(t.path, t.target, static_cast<int>(i), code)) {
            t.path.clear();
            step("renamed");
            continue;
        }
        result.failedPath = result.written[i];
        fail(error, reason(code));
        // Put the old set back, through a journal of its own that cancels the first, so that a
        // crash on the way back still ends in one whole set.
        QList<Operation> back{{Operation::Cancel, journal, {}}};
        for (qsizetype j = 0; j < temps.size(); ++j) {
            const Temporary& u = temps[j];
            if (u.existed)
                back.push_back({Operation::Rename, u.backupName, u.name});
            else if (j < i)
                back.push_back({Operation::Remove, u.name, {}});
        }
        for (qsizetype j = i; j < temps.size(); ++j)
            back.push_back({Operation::Remove, temps[j].tempName, {}});
        for (const Temporary& u : temps)
            if (u.existed)
                back.push_back({Operation::Remove, u.backupName, {}});
        QByteArray undo;
        int undoFd = -1;
        int undoCode = 0;
        if (writeJournal(folder, back, undo, undoFd, undoCode)) {
            step("rollback journal written");
            dropJournal(journal, journalFd);
            step("journal cancelled");
            closeAll();
            apply(folder, back);
            syncFolderQuietly(folder);
            step("rolled back");
            dropJournal(undo, undoFd);
        } else {
            // No room even for that: undo without a journal.
            dropJournal(journal, journalFd);
            closeAll();
            back.removeFirst();
            apply(folder, back);
            syncFolderQuietly(folder);
        }
        for (Temporary& u : temps)
            u.path.clear();
        return false;
    }
    const bool synced = syncFolder(folder, code);
    step("folder synced");
    for (const Temporary& t : temps)
        if (t.existed)
            ::unlink(in(folder, t.backupName).constData());
    step("old files removed");
    dropJournal(journal, journalFd);
    step("journal removed");
    closeAll();
    if (!synced) {
        result.failedPath = result.written.front();
        fail(error, reason(code));
        return false;
    }
    return true;
}

} // namespace

FailAfter::FailAfter(qint64 bytes, bool failSync, int failRename)
{
    injection = {true, bytes, failSync, failRename};
}

FailAfter::~FailAfter()
{
    injection = {};
}

OnStep::OnStep(std::function<void(int, const char*)> hook)
{
    stepHook = std::move(hook);
    stepCount = 0;
}

OnStep::~OnStep()
{
    stepHook = nullptr;
}

bool WriteFile(const QString& path, const QByteArray& bytes, QString* error, Match match, Outcome* outcome)
{
    return writeSet({{path, bytes}}, error, match, outcome);
}

bool WriteFiles(const QList<std::pair<QString, QByteArray>>& files, QString* error, Match match, Outcome* outcome)
{
    return writeSet(files, error, match, outcome);
}

void FinishInterruptedSaves(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (namesIn(name).isEmpty())
        return;
    FolderLock lock(folder);
    if (lock.locked())
        finishLocked(name);
}

} // namespace atomicfile
