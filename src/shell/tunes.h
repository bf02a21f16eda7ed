#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The tunes the program carries and the tune files of the music folder.
namespace tunes {

struct CarriedTune {
    QString resource; // "music1"
    QString fileName; // "Carousel.MID"
};

// The 14 carried tunes in the order they are written (there is no music10).
const QList<CarriedTune>& CarriedTunes();

// Finds a carried tune's bytes by resource name (any case); nothing when it is missing.
using TuneLookup = std::function<std::optional<QByteArray>(const QString& resource)>;
// The tunes compiled into the program.
std::optional<QByteArray> CompiledTune(const QString& resource);

struct Extracted {
    enum class Outcome { Written, Kept, Missing, Failed };
    QString path;
    Outcome outcome;
    QString error; // for Failed
};

// Writes each carried tune into folder under its file name unless a file of that name, in any
// case, is there already; written files are opened to every user. A tune the lookup does not
// find is skipped.
QList<Extracted> ExtractTunes(const QString& folder, const TuneLookup& lookup = CompiledTune);

// The tune files of a folder: "*.mid" and "*.rmi" in any case, files only, sorted by name
// without regard to case. The permission pass lists the same files.
QStringList ListTunes(const QString& folder);

} // namespace tunes
