#include "shell/cursortable.h"
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "platform/instanceguard.h"
#include "platform/qtmessageboxes.h"
#include "platform/qtprinter.h"
#include "platform/seams.h"
#include "platform/uitour.h"
#include "shell/program.h"
#include "shell/launcherwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InitBrainloftResources();

    CursorTable cursors;
    cursors.loadOnFirstUse();

    InstanceGuard guard(QStringLiteral("@Ok Brainloft#"));
    if (!guard.acquire())
        return 0;

    QCoreApplication::setApplicationName(QStringLiteral("Brainloft"));
    QCoreApplication::setOrganizationName(QStringLiteral("Oakhollow"));
    // The desktop entry's name: a Wayland compositor shows its name and icon for our windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.oakhollow.brainloft"));
    app.setQuitOnLastWindowClosed(false);

    QtMessageBoxes boxes;
    RealClock clock;
    RealProcessRunner processes;
    Program program(ProgramPaths::forRunningProgram(), boxes, clock, processes);
    program.cursors = &cursors;
    QtPrinter printer;
    program.printer = &printer;

    ProgramWindows windows(program, PuzzleTypes());
    LauncherWindow* launcher = windows.desk().launcher;
    QObject::connect(launcher, &LauncherWindow::closed, &app, &QCoreApplication::quit);
    launcher->show();
    // Tests under a compositor that takes no injected input drive the windows from a script.
    const QString tour = qEnvironmentVariable("BRAINLOFT_TOUR");
    if (!tour.isEmpty() && !uitour::Start(tour))
        return 3;
    return app.exec();
}
