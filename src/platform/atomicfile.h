#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

// The one way the program writes a file. A file is written beside its target under a temporary
// name, every write and the final sync are checked, and only then does it replace the target;
// the folder is synced after. A failure at any point leaves the old file as it was and removes
// the temporary. Written files get the program's permission bits (fileaccess::writtenFileMode),
// whatever the replaced file had.
namespace atomicfile {

// How a target's name is found in its folder.
enum class Match {
    Exact,
    // As the puzzle folder names files: an existing file whose name differs only in case is the
    // one replaced. The name is looked up and the file made under the folder's lock, so two
    // saves at once never make two files of one name.
    IgnoringCase,
};

struct Outcome {
    QStringList written; // the files written, with their names as matched
    QString failedPath;  // the file a failure concerns
};

// Replaces path with bytes. Refuses a target that is a symbolic link or anything but a regular
// file or nothing. On failure returns false and, when error is given, the reason
// ("No space left on device").
bool WriteFile(const QString& path, const QByteArray& bytes, QString* error = nullptr, Match match = Match::Exact,
               Outcome* outcome = nullptr);

// A set of files in one folder, all or none, even across a crash: under the folder's lock every
// file is written and synced under a temporary name, a journal beside them lists the renames
// before the first is made and goes after the last. Whoever next finishes the folder's saves
// (FinishInterruptedSaves) completes a set that a crash cut short.
bool WriteFiles(const QList<std::pair<QString, QByteArray>>& files, QString* error = nullptr,
                Match match = Match::Exact, Outcome* outcome = nullptr);

// Under the folder's lock: completes every set a crash interrupted and removes what writers
// that died left behind (hidden temporaries, old files kept while a set was replaced). Cheap when
// there is nothing to do, and quiet when the folder cannot be changed. Every load, save and start
// calls it before reading a folder of puzzles.
void FinishInterruptedSaves(const QString& folder);

// For tests: while an instance lives, writes in this thread fail once `bytes` bytes in total
// have gone out (0 fails the first write), or, with failSync, the sync before the rename fails,
// or, with failRename >= 0, that rename of a set (counted from 0) fails.
class FailAfter {
public:
    explicit FailAfter(qint64 bytes, bool failSync = false, int failRename = -1);
    ~FailAfter();
    FailAfter(const FailAfter&) = delete;
    FailAfter& operator=(const FailAfter&) = delete;
};

// For tests: while an instance lives, every step of a write in this thread that leaves something
// on disk (a temporary synced, the journal, a rename, ...) calls the hook with its number,
// counted from 0, and what it did; ending the process there shows what a crash leaves.
class OnStep {
public:
    explicit OnStep(std::function<void(int step, const char* what)> hook);
    ~OnStep();
    OnStep(const OnStep&) = delete;
    OnStep& operator=(const OnStep&) = delete;
};

} // namespace atomicfile
