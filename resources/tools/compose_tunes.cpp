// compose_tunes [tunes folder]: writes NAME.mid beside each NAME.tune of the folder. The output
// is committed; run it again only when a tune list changes.

#include "tunecomposer.h"

#include "platform/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#ifndef BRAINLOFT_RESOURCES_DIR
#define BRAINLOFT_RESOURCES_DIR "."
#endif

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral(BRAINLOFT_RESOURCES_DIR "/tunes"));
    const QStringList lists = folder.entryList({QStringLiteral("*.tune")}, QDir::Files, QDir::Name);
    if (lists.isEmpty()) {
        std::fprintf(stderr, "compose_tunes: no .tune files in %s\n", qPrintable(folder.path()));
        return 1;
    }
    bool ok = true;
    for (const QString& name : lists) {
        QFile in(folder.filePath(name));
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "compose_tunes: cannot read %s\n", qPrintable(in.fileName()));
            ok = false;
            continue;
        }
        tunecomposer::Tune tune;
        QString error;
        if (!tunecomposer::Compose(QString::fromUtf8(in.readAll()), tune, &error)) {
            std::fprintf(stderr, "compose_tunes: %s: %s\n", qPrintable(name), qPrintable(error));
            ok = false;
            continue;
        }
        const QString broken = tunecomposer::CheckLimits(tune);
        if (!broken.isEmpty()) {
            std::fprintf(stderr, "compose_tunes: %s %s\n", qPrintable(name), qPrintable(broken));
            ok = false;
        }
        const QString out = folder.filePath(name.chopped(5) + QStringLiteral(".mid"));
        if (!atomicfile::WriteFile(out, tune.midi, &error)) {
            std::fprintf(stderr, "compose_tunes: cannot write %s: %s\n", qPrintable(out), qPrintable(error));
            ok = false;
            continue;
        }
        std::printf("%s: %s, %d voices, %d notes, %.1f s, %lld bytes\n", qPrintable(out),
                    qPrintable(tune.file), tune.voices, tune.notes, tune.seconds,
                    static_cast<long long>(tune.midi.size()));
    }
    return ok ? 0 : 1;
}
