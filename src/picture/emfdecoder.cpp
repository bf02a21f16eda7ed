#include "picture/metafiles.h"

#include "picture/drawcost.h"
#include "picture/metafilecommon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cstdlib>

#include <emf2svg.h>

namespace picture {
namespace {

using namespace metafile;

constexpr quint32 kHeader = 1;
constexpr quint32 kEnd = 14;

// Where the source bitmap's four fields (info offset and size, bits offset and size) sit in each
// record that carries one, counted from the record's start; a second bitmap is a mask.
struct BitmapFields {
    int source = 0;
    int mask = 0;
};

BitmapFields BitmapFieldsOf(quint32 type)
{
    switch (type) {
    case 76:  // BITBLT
    case 77:  // STRETCHBLT
    case 114: // ALPHABLEND
    case 116: // TRANSPARENTBLT
        return {84, 0};
    case 78: return {84, 112};  // MASKBLT
    case 79: return {96, 124};  // PLGBLT
    case 80:                    // SETDIBITSTODEVICE
    case 81: return {48, 0};    // STRETCHDIBITS
    case 93:                    // CREATEMONOBRUSH
    case 94: return {16, 0};    // CREATEDIBPATTERNBRUSHPT
    default: return {};
    }
}

bool BitmapFits(const unsigned char* record, qint64 size, int at, qint64& pixels, QString& why)
{
    if (at + 16 > size) {
        why = QStringLiteral("the EMF has a damaged record");
        return false;
    }
    const qint64 infoAt = Le32(record + at);
    const qint64 infoBytes = Le32(record + at + 4);
    const qint64 bitsAt = Le32(record + at + 8);
    const qint64 bitsBytes = Le32(record + at + 12);
    if (infoBytes == 0)
        return true; // no bitmap: a pattern or a fill
    if (infoAt + infoBytes > size || bitsAt + bitsBytes > size) {
        why = QStringLiteral("the EMF has a damaged bitmap");
        return false;
    }
    return CheckEmbeddedBitmap(record + infoAt, infoBytes, bitsBytes, pixels, why);
}

// Points of the poly records: count at offset 24, points of pointSize bytes after it.
bool PointsFit(quint32 type, const unsigned char* record, qint64 size)
{
    switch (type) {
    case 2: case 3: case 4: case 5: case 6: // POLYBEZIER ... POLYLINETO
        return size >= 28 && 28 + 8 * qint64(Le32(record + 24)) <= size;
    case 85: case 86: case 87: case 88: case 89: // their 16-bit forms
        return size >= 28 && 28 + 4 * qint64(Le32(record + 24)) <= size;
    case 7: case 8: case 90: case 91: { // POLYPOLYLINE, POLYPOLYGON and 16-bit forms
        if (size < 32)
            return false;
        const qint64 polygons = Le32(record + 24);
        const qint64 points = Le32(record + 28);
        if (32 + 4 * polygons > size)
            return false;
        qint64 sum = 0;
        for (qint64 i = 0; i < polygons; ++i)
            sum += Le32(record + 32 + 4 * i);
        return sum == points && 32 + 4 * polygons + (type >= 90 ? 4 : 8) * points <= size;
    }
    case 56: // POLYDRAW: points and a type byte each
        return size >= 28 && 28 + 9 * qint64(Le32(record + 24)) <= size;
    case 92: // POLYDRAW16
        return size >= 28 && 28 + 5 * qint64(Le32(record + 24)) <= size;
    case 83: case 84: { // EXTTEXTOUTA / W: the text's characters and spacing inside the record
        if (size < 76)
            return false;
        const qint64 chars = Le32(record + 44);
        const qint64 textAt = Le32(record + 48);
        const qint64 spacingAt = Le32(record + 72);
        const qint64 width = type == 84 ? 2 : 1;
        return textAt + width * chars <= size && (spacingAt == 0 || spacingAt + 4 * chars <= size);
    }
    default:
        return true;
    }
}

// Qt SVG remarks on what a damaged drawing holds (paths cut short, images of no size, pens out
// of range); the picture is judged by its outcome, so they are kept off standard error while it
// is read and drawn.
class QuietMessages {
public:
    QuietMessages() : previous_(qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {})) {}
    ~QuietMessages() { qInstallMessageHandler(previous_); }
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;

private:
    QtMessageHandler previous_;
};

struct Frame {
    double width = 0; // 1/96 inch
    double height = 0;
};

bool WalkRecords(const QByteArray& file, Frame& frame, QString& why)
{
    const auto* data = reinterpret_cast<const unsigned char*>(file.constData());
    const qint64 size = file.size();
    why = QStringLiteral("not an EMF picture");
    if (size < 88 || Le32(data) != kHeader || Le32(data + 40) != 0x464D4520u)
        return false;
    const qint64 headerSize = Le32(data + 4);
    if (headerSize < 88 || headerSize % 4 != 0 || headerSize > size)
        return false;
    // The description, UTF-16 characters inside the header record.
    const qint64 descriptionLength = Le32(data + 60);
    const qint64 descriptionAt = Le32(data + 64);
    if ((descriptionLength > 0 || descriptionAt != 0)
        && (descriptionLength == 0 || descriptionAt < 88 || descriptionAt + 2 * descriptionLength > headerSize))
        return false;
    // The frame, in hundredths of a millimetre, edges included.
    const auto edge = [&](int at) { return double(static_cast<qint32>(Le32(data + at))); };
    frame.width = (edge(32) - edge(24)) * 96.0 / 2540.0;
    frame.height = (edge(36) - edge(28)) * 96.0 / 2540.0;
    qint64 at = 0;
    qint64 records = 0;
    qint64 bitmapPixels = 0;
    for (;;) {
        if (at + 8 > size) {
            why = QStringLiteral("the EMF is cut short");
            return false;
        }
        const quint32 type = Le32(data + at);
        const qint64 bytes = Le32(data + at + 4);
        if (bytes < 8 || bytes % 4 != 0 || at + bytes > size) {
            why = QStringLiteral("the EMF is cut short: a record runs past the end of the file");
            return false;
        }
        if (++records > kMaxEmfRecords) {
            why = QStringLiteral("the EMF has more than 50,000 records");
            return false;
        }
        const unsigned char* record = data + at;
        if (type == kEnd)
            break;
        if (!PointsFit(type, record, bytes)) {
            why = QStringLiteral("the EMF has a damaged record");
            return false;
        }
        const BitmapFields fields = BitmapFieldsOf(type);
        if (fields.source && !BitmapFits(record, bytes, fields.source, bitmapPixels, why))
            return false;
        if (fields.mask && !BitmapFits(record, bytes, fields.mask, bitmapPixels, why))
            return false;
        at += bytes;
    }
    return true;
}

} // namespace

DecodeStatus DecodeEmf(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    return DecodeEmf(PictureSource(bytes), targetFor, out);
}

DecodeStatus DecodeEmf(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out)
{
    QByteArray file;
    QString why;
    if (const DecodeStatus read = ReadWhole(source, file, why); read != DecodeStatus::Ok)
        return Refuse(out, read, why);
    Frame frame;
    if (!WalkRecords(file, frame, why))
        return Refuse(out, DecodeStatus::Unreadable, why);
    if (!FrameSize(frame.width, frame.height, out.uprightSize))
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the EMF has no size"));
    const QSize target = (targetFor ? targetFor(out.uprightSize) : out.uprightSize).boundedTo(QSize(4096, 4096));

    file.detach(); // the converter takes the bytes as its own
    generatorOptions options{};
    char noPrefix[] = "";
    options.nameSpace = noPrefix;
    options.svgDelimiter = true;
    options.imgWidth = target.width();
    options.imgHeight = target.height();
    char* svgText = nullptr;
    std::size_t svgLength = 0;
    const int converted = emf2svg(file.data(), static_cast<std::size_t>(file.size()), &svgText, &svgLength, &options);
    QByteArray svg(svgText ? svgText : "", svgText ? static_cast<qsizetype>(svgLength) : 0);
    std::free(svgText);
    file.clear();
    if (!converted || svg.isEmpty())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not a readable EMF picture"));
    // Text needs the windowing system's fonts; a program without them draws the rest.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        static const QRegularExpression text(QStringLiteral("<text\\b.*?</text>"), QRegularExpression::DotMatchesEverythingOption);
        svg = QString::fromUtf8(svg).remove(text).toUtf8();
    }
    const QuietMessages quiet;
    QSvgRenderer renderer(svg);
    svg.clear();
    if (!renderer.isValid())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not a readable EMF picture"));
    const QRectF area(0, 0, target.width(), target.height());
    DrawCostDevice meter(target);
    {
        QPainter painter(&meter);
        renderer.render(&painter, area);
    }
    if (meter.cost() > kEmfDrawBudget)
        return Refuse(out, DecodeStatus::TooLarge, QStringLiteral("the EMF draws more than a picture can hold"));
    QImage image(target, QImage::Format_RGB32);
    if (image.isNull())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, area);
    }
    out.image = image;
    return DecodeStatus::Ok;
}

} // namespace picture
