#include "picture/verbs.h"

#include "picture/picturefiles.h"
#include "picture/pictureloader.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/atomicfile.h"
#include "platform/filenames.h"

#include <QBuffer>
#include <QImageWriter>

namespace picture {

using namespace maker;

namespace {

const char* const kPictureHelp =
    "Usage: brainloft-make picture IMAGE NAME [--folder DIR] [--seed N]\n"
    "\n"
    "Makes a picture puzzle from IMAGE (.bmp, .jpg, .jpeg, .gif, .ico, .png, .wmf or .emf, any\n"
    "letter case): the picture is fitted into 640 x 480 with black bars, cut into 48 tiles of\n"
    "80 x 80 and scrambled; all-black tiles stay in place. Saves DIR/NAME.tlp1 (the board),\n"
    "NAME.tlp2 (the pieces) and NAME.tlp3 (the solved picture), all three or none; DIR defaults\n"
    "to the puzzle folder of the program.\n"
    "\n"
    "  --folder DIR   save into DIR instead of the puzzle folder\n"
    "  --seed N       seed the random generator: the same picture and seed give the same files\n"
    "\n"
    "Prints the path of the first file. Exit status: 0 saved; 2 the picture or the arguments\n"
    "were refused (unreadable, of another kind, over 100,000,000 pixels or all black) and\n"
    "nothing was written; 1 the picture could not be read or the files could not be written.\n";

const char* const kExportHelp =
    "Usage: brainloft-make picture-export FILE OUT.png\n"
    "\n"
    "Writes the solved picture (file 3) of the picture puzzle FILE (.tlp1 or .tld1) as a PNG.\n"
    "OUT may not be a file of the puzzle itself. Prints OUT. Exit status: 0 written; 1 the\n"
    "puzzle could not be read or OUT not written; 2 the arguments were refused.\n";

// FILE.tlp1 / FILE.tld1: the stem is the path without its last character.
QString StemOf(const QString& path)
{
    return path.left(path.size() - 1);
}

int runPicture(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("picture");
    MakeOptions options;
    QString name;
    int status = kOk;
    if (!StartMakeVerb(verb, args, kPictureHelp, {}, 2, QStringLiteral("a picture and a puzzle name"),
                       ctx, options, name, status))
        return status;
    const QString imagePath = options.positional[0];
    const QString ext = filenames::lowerExtension(imagePath);
    if (!IsPictureExtension(ext)) {
        ctx.fail(verb, Printable(imagePath) + QStringLiteral(": pictures of this kind are not read"));
        return kRefused;
    }
    // Read from the file a piece at a time: a big picture is never held whole beside its pixels.
    const FittedPicture fitted = LoadFittedPicture(imagePath);
    if (fitted.fileError) {
        ctx.fail(verb, QStringLiteral("cannot read ") + Printable(imagePath) + QStringLiteral(": ") + fitted.reason);
        return kFailed;
    }
    if (fitted.status != DecodeStatus::Ok) {
        ctx.fail(verb, Printable(imagePath) + QStringLiteral(": ") + fitted.reason);
        return kRefused;
    }
    Rng rng = MakeRng(options);
    PictureState state;
    state.pictureName = name;
    if (!BuildPicturePuzzle(state, fitted.canvas, rng)) {
        ctx.fail(verb, Printable(imagePath) + QStringLiteral(": the picture is all black"));
        return kRefused;
    }
    if (const int prepared = PrepareFolder(verb, options, ctx); prepared != kOk)
        return prepared;
    const QString stem = OutputPath(options, name, QStringLiteral(".tlp"));
    QString error;
    if (SavePictureFilesAt(stem, state, &error, !options.folderGiven) != 0) {
        ctx.fail(verb, QStringLiteral("could not save ") + Printable(error));
        return kFailed;
    }
    Saved(options, PictureFilePath(stem, 1), ctx);
    return kOk;
}

// The codes every kind's check gives: 0, -2, -3 or -4.
int checkPicture(const QString& path, Context& ctx)
{
    PictureState state;
    QString why;
    int code = 0;
    if (LoadPictureFilesAt(StemOf(path), state, &why, &code) != 0)
        ctx.err << "brainloft-make check: " << Printable(why) << "\n";
    return code;
}

int showPicture(const QString& path, Context& ctx)
{
    PictureState state;
    QString why;
    if (LoadPictureFilesAt(StemOf(path), state, &why) != 0) {
        ctx.fail(QStringLiteral("show"), Printable(why));
        return kFailed;
    }
    int placed = 0;
    for (int r = 0; r < kRows; ++r) {
        QStringList fields;
        for (int c = 0; c < kColumns; ++c) {
            const int k = r * kColumns + c + 1;
            QString field;
            if (!state.puzzleCells.contains(QString::number(k))) {
                field = QStringLiteral("x");
            } else if (IsEmptyTile(state.boardTiles[k])) {
                field = QStringLiteral(".");
            } else if (state.boardTiles[k] == state.answerTiles[k]) {
                field = QString::number(k);
                ++placed;
            } else {
                field = QStringLiteral("?");
                int lowest = 0;
                for (const QString& cell : state.puzzleCells) {
                    const int j = cell.toInt();
                    if (state.answerTiles[j] == state.boardTiles[k] && (lowest == 0 || j < lowest))
                        lowest = j;
                }
                if (lowest)
                    field = QString::number(lowest);
            }
            fields << field.rightJustified(2);
        }
        ctx.out << fields.join(QLatin1Char(' ')) << "\n";
    }
    ctx.out << "\npieces " << state.puzzleCells.size() << " placed " << placed << "\n";
    return kOk;
}

int runExport(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("picture-export");
    if (wantsHelp(args)) {
        ctx.out << kExportHelp;
        return kOk;
    }
    if (args.size() != 2) {
        ctx.fail(verb, QStringLiteral("give a picture puzzle file and an output file (see --help)"));
        return kRefused;
    }
    const QString ext = filenames::lowerExtension(args[0]);
    if (ext != QLatin1String(".tlp1") && ext != QLatin1String(".tld1")) {
        ctx.fail(verb, Printable(args[0]) + QStringLiteral(": not a picture puzzle (.tlp1 or .tld1)"));
        return kRefused;
    }
    PictureState state;
    QString why;
    if (LoadPictureFilesAt(StemOf(args[0]), state, &why) != 0) {
        ctx.fail(verb, Printable(why));
        return kFailed;
    }
    // The picture never goes over a file of its own set, under whatever name.
    for (int digit = 1; digit <= 3; ++digit) {
        if (SameFile(PictureFilePath(StemOf(args[0]), digit), args[1])) {
            ctx.fail(verb, Printable(args[1]) + QStringLiteral(" is a file of the puzzle itself"));
            return kRefused;
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "PNG").write(state.preview);
    QString error;
    if (!atomicfile::WriteFile(args[1], png, &error)) {
        ctx.fail(verb, QStringLiteral("could not write ") + Printable(args[1]) + QStringLiteral(": ") + error);
        return kFailed;
    }
    ctx.out << PrintableResult(args[1]) << "\n";
    return kOk;
}

} // namespace

void RegisterDrawingVerbs(Registry& registry)
{
    if (Verb* verb = registry.verb(QStringLiteral("picture")))
        verb->run = runPicture;
    if (Verb* verb = registry.verb(QStringLiteral("picture-export")))
        verb->run = runExport;
    if (FileKind* kind = registry.kindFor(QStringLiteral("a.tlp1"))) {
        kind->check = checkPicture;
        kind->show = showPicture;
    }
}

} // namespace picture
