#include "shell/program.h"

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

} // namespace

ProgramPaths ProgramPaths::forRunningProgram()
{
    ProgramPaths p;
    p.programFolder = withSlash(QCoreApplication::applicationDirPath());
    p.programFile = QCoreApplication::applicationFilePath();
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
