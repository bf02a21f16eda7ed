// make_artwork [resources folder]: draws the launcher picture, the play-window
// button icons and the cursor pictures (each also at twice the size) into the resources
// folder. Its output is committed; run it again only when a drawing changes.

#include "artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#ifndef BRAINLOFT_RESOURCES_DIR
#define BRAINLOFT_RESOURCES_DIR "."
#endif

namespace {

bool Save(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "png");
    if (!writer.write(image)) {
        std::fprintf(stderr, "make_artwork: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(BRAINLOFT_RESOURCES_DIR));
    for (const char* sub : {"artwork", "icons", "cursors"})
        if (!root.mkpath(QString::fromLatin1(sub))) {
            std::fprintf(stderr, "make_artwork: cannot create %s/%s\n", qPrintable(root.path()), sub);
            return 1;
        }

    bool ok = Save(MakeLauncherArtwork(), root.filePath(QStringLiteral("artwork/launcher.png")));
    ok = Save(MakeOptionsPreview(), root.filePath(QStringLiteral("artwork/preview.png"))) && ok;
    ok = Save(MakeProgramIcon(), root.filePath(QStringLiteral("artwork/programicon.png"))) && ok;
    // Each icon and cursor once at its size and once twice as large ("@2x"), which Qt's icons
    // and the cursor table take on denser screens.
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        for (const NamedPicture& icon : MakeIcons(scale))
            ok = Save(icon.image, root.filePath(QStringLiteral("icons/%1%2.png").arg(icon.name, suffix))) && ok;
        for (CursorPicture& cursor : MakeCursors(scale)) {
            cursor.image.setText(QStringLiteral("hotspot"),
                                 QStringLiteral("%1,%2").arg(cursor.hotSpot.x()).arg(cursor.hotSpot.y()));
            ok = Save(cursor.image, root.filePath(QStringLiteral("cursors/%1%2.png").arg(cursor.name, suffix))) && ok;
        }
    }
    return ok ? 0 : 1;
}
