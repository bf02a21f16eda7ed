#include "shell/tunes.h"

#include "platform/atomicfile.h"
#include "platform/fileaccess.h"
#include "platform/filenames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tunes {

const QList<CarriedTune>& CarriedTunes()
{
    static const QList<CarriedTune> table = {
        {QStringLiteral("music1"), QStringLiteral("Carousel.MID")},
        {QStringLiteral("music2"), QStringLiteral("Entertainer.MID")},
        {QStringLiteral("music3"), QStringLiteral("Strings.MID")},
        {QStringLiteral("music4"), QStringLiteral("Humanoid.MID")},
        {QStringLiteral("music5"), QStringLiteral("Impact.MID")},
        {QStringLiteral("music6"), QStringLiteral("Maple tree.MID")},
        {QStringLiteral("music7"), QStringLiteral("Moody.MID")},
        {QStringLiteral("music8"), QStringLiteral("Nutcracker.MID")},
        {QStringLiteral("music9"), QStringLiteral("Rotundra.MID")},
        {QStringLiteral("music11"), QStringLiteral("Saints.MID")},
        {QStringLiteral("music12"), QStringLiteral("Showtime.MID")},
        {QStringLiteral("music13"), QStringLiteral("Sunny land.MID")},
        {QStringLiteral("music14"), QStringLiteral("Techno.MID")},
        {QStringLiteral("music15"), QStringLiteral("Valkyri.MID")},
    };
    return table;
}

std::optional<QByteArray> CompiledTune(const QString& resource)
{
    QFile file(QStringLiteral(":/MUSIC/") + resource.toLower());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QList<Extracted> ExtractTunes(const QString& folder, const TuneLookup& lookup)
{
    QList<Extracted> results;
    for (const CarriedTune& tune : CarriedTunes()) {
        const QString path = filenames::resolveInFolder(folder, tune.fileName);
        if (QFileInfo::exists(path)) {
            results.append({path, Extracted::Outcome::Kept, QString()});
            continue;
        }
        const std::optional<QByteArray> bytes = lookup(tune.resource);
        if (!bytes) {
            results.append({path, Extracted::Outcome::Missing, QString()});
            continue;
        }
        QString error;
        if (atomicfile::WriteFile(path, *bytes, &error)) {
            fileaccess::openToEveryone(path);
            results.append({path, Extracted::Outcome::Written, QString()});
        } else {
            results.append({path, Extracted::Outcome::Failed, error});
        }
    }
    return results;
}

QStringList ListTunes(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.mid"), QStringLiteral("*.rmi")},
                                  QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

} // namespace tunes
