#include "shell/puzzlepacks.h"

#include "platform/inifile.h"
#include "platform/messageboxes.h"
#include "platform/seams.h"
#include "shell/program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace puzzlepacks {
namespace {

const QString kSection = QStringLiteral("installed");

QString key(int n)
{
    return QStringLiteral("installer#") + QString::number(n);
}

// The data folder may be shared: an installer is run only when nobody but root or the user
// running it could have put it there or changed it, so no user plants a program that another runs.
// It is opened once (never through a link) and checked on that descriptor, and that very file is
// what runs: a file renamed over the name later runs nothing. -1 when it is not to be run.
int openTrustedInstaller(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_uid == 0 || st.st_uid == ::geteuid()) &&
        (st.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

QString BookkeepingPath(const Program& program)
{
    return program.paths.programFolder + QStringLiteral("Oakhollow brainloft.ini");
}

QString InstallerPath(const Program& program, int n)
{
    return program.paths.programFolder + QStringLiteral("Puzzleinstaller") + QString::number(n) + QStringLiteral(".exe");
}

int ReadPackAsked(const Program& program, int n)
{
    IniFile ini(BookkeepingPath(program));
    ini.load();
    return ini.readInteger(kSection, key(n), 0);
}

void MarkPackAsked(const Program& program, int n)
{
    IniFile ini(BookkeepingPath(program));
    ini.load();
    ini.writeInteger(kSection, key(n), 1);
    ini.save();
}

void OfferPuzzlePacks(Program& program, bool askAll)
{
    // One listing of the folder instead of a thousand look-ups.
    const QStringList present = QDir(program.paths.programFolder).entryList({QStringLiteral("Puzzleinstaller*.exe")}, QDir::Files);
    const QSet<QString> names(present.begin(), present.end());
    for (int n = 1; n <= kHighestPack; ++n) {
        const QString path = InstallerPath(program, n);
        if (!names.contains(QFileInfo(path).fileName()))
            continue;
        const int installer = openTrustedInstaller(path);
        if (installer < 0)
            continue;
        if (!askAll && ReadPackAsked(program, n) == 1) {
            ::close(installer);
            continue;
        }
        const QString number = QString::number(n);
        const bool yes = program.boxes.question(
            QStringLiteral("Install puzzle pack ") + number,
            QStringLiteral("'Puzzle pack ") + number +
                QStringLiteral("' installer has been located. Do you want to run this installer now? \n"
                               "If so click YES. If these puzzles have already been installed\n"
                               "or you wish to install them at a later time,  click NO."));
        if (yes)
            program.processes.runAndWait(path, installer, program.paths.programFolder);
        ::close(installer);
        MarkPackAsked(program, n);
    }
}

} // namespace puzzlepacks
