#include "shell/program.h"

#include "shell/startup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

bool sameFolder(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// The shared folder's group may change what lies in it, so a data folder there must be a real
// folder and no link that sends writes elsewhere. Missing ones are made for the group.
bool sharedFolderUsable(const QString& folder)
{
    const QFileInfo top(QDir::cleanPath(folder));
    if (top.isSymLink() || !top.isDir() || !startup::FolderUsable(folder))
        return false;
    for (const QString& name : {ProgramPaths::puzzleFolderName(), ProgramPaths::musicFolderName()}) {
        const QFileInfo sub(folder + name);
        if (sub.isSymLink() || (sub.exists() && !sub.isDir()))
            return false;
        if (!sub.exists() && (!QDir().mkdir(sub.filePath()) ||
                              !fileaccess::openTo(sub.filePath(), fileaccess::Sharing::UsersGroup)))
            return false;
    }
    return true;
}

} // namespace

InstallLayout InstallLayout::compiledIn()
{
    InstallLayout layout;
    layout.binFolder = QStringLiteral(BRAINLOFT_INSTALL_BINDIR);
    layout.sharedFolder = QStringLiteral(BRAINLOFT_SHARED_DATA_DIR);
    // The program's AppDataLocation, spelled out so that brainloft-make, whose application name
    // differs, finds the same folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        layout.privateFolder = data + QStringLiteral("/Oakhollow/Brainloft");
    return layout;
}

void ProgramPaths::placeData(const InstallLayout& layout)
{
    if (!sameFolder(executableFolder, layout.binFolder)) {
        programFolder = executableFolder;
        sharing = fileaccess::Sharing::Everyone;
    } else if (sharedFolderUsable(withSlash(layout.sharedFolder))) {
        programFolder = withSlash(layout.sharedFolder);
        sharing = fileaccess::Sharing::UsersGroup;
    } else if (!layout.privateFolder.isEmpty()) {
        // Silently: a user outside the group, or a shared folder that is missing or tampered with.
        QDir().mkpath(layout.privateFolder);
        programFolder = withSlash(layout.privateFolder);
        sharing = fileaccess::Sharing::Private;
    } else {
        // Nowhere of the user's own: saves fail as usual rather than land somewhere else.
        programFolder = withSlash(layout.sharedFolder);
        sharing = fileaccess::Sharing::UsersGroup;
    }
}

ProgramPaths ProgramPaths::forRunningProgram()
{
    ProgramPaths p;
    p.executableFolder = withSlash(QCoreApplication::applicationDirPath());
    p.programFile = QCoreApplication::applicationFilePath();
    p.placeData(InstallLayout::compiledIn());
    fileaccess::setProcessSharing(p.sharing);
    // Without a home folder the configuration folder would be the root's: keep nothing then.
    const bool haveHome = !qEnvironmentVariableIsEmpty("HOME") || !qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (haveHome && !config.isEmpty()) {
        p.inventoryFolder = withSlash(config);
        p.settingsFile = withSlash(config) + QStringLiteral("Oakhollow/Brainloft.ini");
    }
    return p;
}

Program::Program(ProgramPaths p, MessageBoxes& b, Clock& c, ProcessRunner& r)
    : paths(std::move(p)), boxes(b), clock(c), processes(r)
{
    seedSource = [] {
        QElapsedTimer timer;
        timer.start();
        return static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()) * 1000003u ^
               static_cast<std::uint64_t>(timer.msecsSinceReference()) * 7919u ^ static_cast<std::uint64_t>(timer.nsecsElapsed());
    };
}
