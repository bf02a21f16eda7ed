#include "platform/filenames.h"

#include <QDir>
#include <QFileInfo>

namespace filenames {
namespace {

int lastComponentStart(const QString& name)
{
    const int slash = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return slash + 1;
}

int extensionDot(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= lastComponentStart(name) ? dot : -1;
}

} // namespace

QString lowerExtension(const QString& name)
{
    const int dot = extensionDot(name);
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

QString replaceExtension(const QString& name, const QString& ext)
{
    const int dot = extensionDot(name);
    return (dot < 0 ? name : name.left(dot)) + ext;
}

bool isRefusedNameCharacter(QChar c)
{
    static const QString refused = QStringLiteral("\\/:*?\"<>|.");
    return refused.contains(c);
}

QString resolveInFolder(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(fileName);
    if (fileName.contains(QLatin1Char('/')) || QFileInfo::exists(exact))
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return exact;
}

} // namespace filenames
