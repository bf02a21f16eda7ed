#include "shell/startup.h"

#include "platform/atomicfile.h"
#include "platform/fileaccess.h"
#include "platform/filenames.h"
#include "platform/inifile.h"
#include "shell/program.h"
#include "shell/tunes.h"
#include "shell/version.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace startup {
namespace {

const QString kProduct = QStringLiteral("Brainloft");
const QString kVersion = ProgramVersion();
const QString kDescription = QStringLiteral("Make or play a vairety of puzzles");
constexpr bool kListed = true;
constexpr bool kAcceptUserName = false;
constexpr bool kAcceptPassword = false;
constexpr bool kAcceptFileName = false;

const QString kMarkerSection = QStringLiteral("Oakhollow.Data");

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder;
}

QStringList filesMatching(const QString& folder, const QStringList& masks)
{
    return QDir(folder).entryList(masks, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
}

} // namespace

bool FolderUsable(const QString& folder)
{
    // A scratch name nobody else has: two starts at once, or a file or link planted under a fixed
    // name, cannot make the folder look unusable. Locked while it lives, so that a writer tidying
    // the folder meanwhile leaves it alone; removed before it is closed for the same reason.
    QByteArray scratch = QFile::encodeName(folder) + "/.brainloft-XXXXXX";
    const int fd = ::mkostemp(scratch.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    (void)::flock(fd, LOCK_EX | LOCK_NB);
    const bool removed = ::unlink(scratch.constData()) == 0;
    const bool closed = ::close(fd) == 0;
    return removed && closed;
}

void PrepareFolder(const QString& folder)
{
    if (!FolderUsable(folder))
        QDir().mkdir(folder);
    // A save there that a crash cut short is finished before anything reads the folder.
    atomicfile::FinishInterruptedSaves(folder);
}

QString InventoryPath(const Program& program)
{
    return program.paths.inventoryFolder + QStringLiteral("Oakhollow.ini");
}

void RecordProductInventory(const Program& program)
{
    if (program.paths.inventoryFolder.isEmpty())
        return;
    IniFile ini(InventoryPath(program));
    ini.load();
    const QString section = QStringLiteral("Software.") + kProduct;
    const QString previousPath = ini.readString(section, QStringLiteral("FilePath"));
    const QString previousRun = ini.readString(section, QStringLiteral("LastRun"));
    const QString folder = program.paths.programFolder;
    const auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };

    ini.writeString(kListed ? QStringLiteral("Software") : QStringLiteral("HiddenSoftware"), kProduct, QString());
    ini.writeString(section, QStringLiteral("Version"), kVersion);
    ini.writeString(section, QStringLiteral("Hint"), kDescription);
    ini.writeString(section, QStringLiteral("AcceptUsername"), flag(kAcceptUserName));
    ini.writeString(section, QStringLiteral("AcceptPassword"), flag(kAcceptPassword));
    ini.writeString(section, QStringLiteral("AcceptFilename"), flag(kAcceptFileName));
    ini.writeString(section, QStringLiteral("ListApplication"), flag(kListed));
    ini.writeString(section, QStringLiteral("FilePath"), folder);
    ini.writeString(QStringLiteral("AllSoftware"), kProduct, QString());
    if (!previousPath.isEmpty() && previousPath.compare(folder, Qt::CaseInsensitive) != 0) {
        ini.writeString(section, QStringLiteral("OldPath"), previousPath);
        ini.writeString(section, QStringLiteral("OldPathDate"), previousRun);
    }
    ini.writeString(section, QStringLiteral("LastRun"),
                    QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
    if (ini.save())
        fileaccess::openToEveryone(ini.path());
}

QString PermissionMarkerPath(const Program& program)
{
    // Kept with the data: an installed program's own folder is not the user's to write.
    return program.paths.programFolder +
           filenames::replaceExtension(QFileInfo(program.paths.programFile).fileName(), QStringLiteral(".ok"));
}

bool PermissionPassDone(const Program& program)
{
    const QString path = PermissionMarkerPath(program);
    if (!QFile::exists(path))
        return false;
    IniFile ini(path);
    ini.load();
    if (!ini.readBool(kMarkerSection, QStringLiteral("Flag")))
        return false;
    const QString stored = withSlash(ini.readString(kMarkerSection, QStringLiteral("Path")));
    return stored.compare(program.paths.programFolder, Qt::CaseInsensitive) == 0;
}

QStringList PermissionPassEntries(const Program& program)
{
    QStringList entries;
    const QString music = ProgramPaths::musicFolderName();
    const QString puzzles = ProgramPaths::puzzleFolderName();
    entries << music;
    for (const QString& f : tunes::ListTunes(program.paths.musicFolder()))
        entries << music + QLatin1Char('/') + f;
    entries << puzzles;
    const QStringList puzzleMasks = {QStringLiteral("*.wsp"),  QStringLiteral("*.wsd"),  QStringLiteral("*.sbp"),
                                     QStringLiteral("*.sbd"),  QStringLiteral("*.mzp"),  QStringLiteral("*.tlp1"),
                                     QStringLiteral("*.tlp2"), QStringLiteral("*.tlp3"), QStringLiteral("*.tld1"),
                                     QStringLiteral("*.tld2"), QStringLiteral("*.tld3"), QStringLiteral("*.tld4")};
    for (const QString& f : filesMatching(program.paths.puzzleFolder(), puzzleMasks))
        entries << puzzles + QLatin1Char('/') + f;
    return entries;
}

QStringList RunPermissionPass(const Program& program, const QStringList& entries)
{
    QStringList failed;
    for (const QString& entry : entries)
        if (!fileaccess::openToEveryone(program.paths.programFolder + entry))
            failed << entry;

    const QString markerPath = PermissionMarkerPath(program);
    IniFile marker(markerPath);
    marker.load();
    marker.writeBool(kMarkerSection, QStringLiteral("Flag"), true);
    marker.writeString(kMarkerSection, QStringLiteral("Path"), program.paths.programFolder);
    if (marker.save())
        fileaccess::openToEveryone(markerPath);
    return failed;
}

} // namespace startup
