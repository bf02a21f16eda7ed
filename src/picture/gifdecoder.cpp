#include "picture/gifdecoder.h"

#include "picture/boxreducer.h"

#include <algorithm>
#include <vector>

#include <gif_lib.h>

namespace picture {
namespace {

int ReadSource(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* reader = static_cast<SourceReader*>(gif->UserData);
    return length <= 0 ? 0 : static_cast<int>(reader->read(buffer, length));
}

struct GifCloser {
    GifFileType* gif;
    ~GifCloser()
    {
        int error = 0;
        if (gif)
            DGifCloseFile(gif, &error);
    }
};

constexpr quint32 kWhite = 0xffffffffu;

} // namespace

DecodeStatus DecodeGif(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    return DecodeGif(PictureSource(bytes), targetFor, out);
}

DecodeStatus DecodeGif(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out)
{
    SourceReader reader(source);
    int error = 0;
    const GifCloser closer{DGifOpen(&reader, ReadSource, &error)};
    GifFileType* gif = closer.gif;
    if (!gif)
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not a GIF picture"));
    const DecodeStatus sized = CheckPictureSize(gif->SWidth, gif->SHeight, &out.reason);
    if (sized != DecodeStatus::Ok)
        return Refuse(out, sized, out.reason);
    const int screenWidth = gif->SWidth;
    const int screenHeight = gif->SHeight;
    out.uprightSize = QSize(screenWidth, screenHeight);

    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE)
            return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the GIF holds no picture"));
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
                return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the GIF holds no picture"));
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                transparent = (block[1] & 1) ? block[4] : -1;
            while (block)
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                    return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the GIF holds no picture"));
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR)
            return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the GIF's first frame is damaged"));
        break;
    }

    const GifImageDesc& frame = gif->Image;
    if (CheckPictureSize(frame.Width, frame.Height, nullptr) == DecodeStatus::TooLarge)
        return Refuse(out, DecodeStatus::TooLarge, QStringLiteral("the GIF's frame has more than 100,000,000 pixels"));
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    // Every index maps to a whole pixel: grey without a map, black beyond it, white where
    // transparent.
    quint32 palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = 0xff000000u | (quint32(i) << 16) | (quint32(i) << 8) | quint32(i);
    if (map && map->Colors) {
        const int colours = std::clamp(map->ColorCount, 0, 256);
        for (int i = 0; i < 256; ++i) {
            const GifColorType c = i < colours ? map->Colors[i] : GifColorType{0, 0, 0};
            palette[i] = 0xff000000u | (quint32(c.Red) << 16) | (quint32(c.Green) << 8) | quint32(c.Blue);
        }
    }
    if (transparent >= 0 && transparent < 256)
        palette[transparent] = kWhite;

    const QSize target = targetFor ? targetFor(out.uprightSize) : out.uprightSize;
    BoxReducer reducer(out.uprightSize, ReductionFactor(out.uprightSize, target));
    if (!reducer.isValid())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));

    // Screen rows are whole: white, with the frame's part of the row laid in.
    std::vector<quint32> row(static_cast<std::size_t>(screenWidth), kWhite);
    const int left = std::max(0, frame.Left);
    const int right = std::clamp(frame.Left + frame.Width, 0, screenWidth);
    const int skip = left - frame.Left; // frame columns left of the screen
    std::vector<GifPixelType> line(static_cast<std::size_t>(std::max(1, frame.Width)));
    std::vector<bool> covered(static_cast<std::size_t>(screenHeight), false);
    if (frame.Width > 0 && frame.Height > 0) {
        static const int starts[] = {0, 4, 2, 1};
        static const int steps[] = {8, 8, 4, 2};
        const int passes = frame.Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const int start = frame.Interlace ? starts[pass] : 0;
            const int step = frame.Interlace ? steps[pass] : 1;
            for (int r = start; r < frame.Height; r += step) {
                if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
                    return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the GIF's picture ends early"));
                const int y = frame.Top + r;
                if (y < 0 || y >= screenHeight)
                    continue;
                const GifPixelType* in = line.data() + skip;
                for (int x = left; x < right; ++x)
                    row[std::size_t(x)] = palette[*in++];
                reducer.addRow(y, row.data());
                covered[std::size_t(y)] = true;
            }
        }
    }
    std::fill(row.begin(), row.end(), kWhite);
    for (int y = 0; y < screenHeight; ++y)
        if (!covered[std::size_t(y)])
            reducer.addRow(y, row.data());
    out.image = reducer.result();
    if (out.image.isNull())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    return DecodeStatus::Ok;
}

} // namespace picture
