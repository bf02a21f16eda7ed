#include "picture/gifdecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <gif_lib.h>

namespace picture {
namespace {

struct MemoryReader {
    const GifByteType* data;
    std::size_t size;
    std::size_t pos;
};

int ReadMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    if (length <= 0)
        return 0;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), reader->size - reader->pos);
    std::memcpy(buffer, reader->data + reader->pos, n);
    reader->pos += n;
    return static_cast<int>(n);
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

// Sums of each reduced pixel's channels, starting from white for every source pixel.
class BoxReducer {
public:
    BoxReducer(int width, int height, int factor)
        : width_(width), height_(height), factor_(factor),
          outWidth_((width + factor - 1) / factor), outHeight_((height + factor - 1) / factor),
          sums_(std::size_t(outWidth_) * outHeight_ * 3, 0)
    {
    }

    void add(int x, int y, const GifColorType& c)
    {
        std::int64_t* s = &sums_[(std::size_t(y / factor_) * outWidth_ + x / factor_) * 3];
        s[0] += c.Red - 255;
        s[1] += c.Green - 255;
        s[2] += c.Blue - 255;
    }

    QImage result() const
    {
        QImage image(outWidth_, outHeight_, QImage::Format_RGB32);
        if (image.isNull())
            return image;
        for (int oy = 0; oy < outHeight_; ++oy) {
            const std::int64_t rows = std::min(factor_, height_ - oy * factor_);
            auto* line = reinterpret_cast<quint32*>(image.scanLine(oy));
            for (int ox = 0; ox < outWidth_; ++ox) {
                const std::int64_t area = rows * std::min(factor_, width_ - ox * factor_);
                const std::int64_t* s = &sums_[(std::size_t(oy) * outWidth_ + ox) * 3];
                const auto channel = [&](int i) { return quint32(255 + (s[i] - area / 2) / area); };
                line[ox] = 0xff000000u | (channel(0) << 16) | (channel(1) << 8) | channel(2);
            }
        }
        return image;
    }

private:
    int width_, height_, factor_, outWidth_, outHeight_;
    std::vector<std::int64_t> sums_;
};

} // namespace

DecodeStatus DecodeGif(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    MemoryReader reader{reinterpret_cast<const GifByteType*>(bytes.constData()), static_cast<std::size_t>(bytes.size()), 0};
    int error = 0;
    GifCloser closer{DGifOpen(&reader, ReadMemory, &error)};
    GifFileType* gif = closer.gif;
    if (!gif) {
        out.reason = QStringLiteral("not a GIF picture");
        return DecodeStatus::Unreadable;
    }
    const DecodeStatus sized = CheckPictureSize(gif->SWidth, gif->SHeight, &out.reason);
    if (sized != DecodeStatus::Ok)
        return sized;
    const int screenWidth = gif->SWidth;
    const int screenHeight = gif->SHeight;
    out.uprightSize = QSize(screenWidth, screenHeight);
    const QSize target = targetFor ? targetFor(out.uprightSize) : out.uprightSize;
    const int factor = std::max(1, std::min(screenWidth / std::max(1, target.width()), screenHeight / std::max(1, target.height())));
    BoxReducer reducer(screenWidth, screenHeight, factor);

    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            out.reason = QStringLiteral("the GIF holds no picture");
            return DecodeStatus::Unreadable;
        }
        if (type == TERMINATE_RECORD_TYPE) {
            out.reason = QStringLiteral("the GIF holds no picture");
            return DecodeStatus::Unreadable;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
                return DecodeStatus::Unreadable;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
                transparent = (block[1] & 1) ? block[4] : -1;
            while (block)
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                    return DecodeStatus::Unreadable;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) {
            out.reason = QStringLiteral("the GIF's first frame is damaged");
            return DecodeStatus::Unreadable;
        }
        break;
    }

    const GifImageDesc& frame = gif->Image;
    if (CheckPictureSize(frame.Width, frame.Height, nullptr) == DecodeStatus::TooLarge) {
        out.reason = QStringLiteral("the GIF's frame has more than 100,000,000 pixels");
        return DecodeStatus::TooLarge;
    }
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    GifColorType palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = GifColorType{GifByteType(i), GifByteType(i), GifByteType(i)};
    int colours = 256;
    if (map && map->Colors) {
        colours = std::clamp(map->ColorCount, 0, 256);
        std::copy(map->Colors, map->Colors + colours, palette);
    }

    if (frame.Width > 0 && frame.Height > 0) {
        std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
        static const int starts[] = {0, 4, 2, 1};
        static const int steps[] = {8, 8, 4, 2};
        const int passes = frame.Interlace ? 4 : 1;
        bool ended = false;
        for (int pass = 0; pass < passes && !ended; ++pass) {
            const int start = frame.Interlace ? starts[pass] : 0;
            const int step = frame.Interlace ? steps[pass] : 1;
            for (int row = start; row < frame.Height; row += step) {
                // A frame cut short keeps the rows it has.
                if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) {
                    ended = true;
                    break;
                }
                const int y = frame.Top + row;
                if (y < 0 || y >= screenHeight)
                    continue;
                const int last = std::min(frame.Width, screenWidth - frame.Left);
                for (int col = std::max(0, -frame.Left); col < last; ++col) {
                    const int index = line[static_cast<std::size_t>(col)];
                    if (index == transparent)
                        continue;
                    static const GifColorType black{0, 0, 0};
                    reducer.add(frame.Left + col, y, index < colours ? palette[index] : black);
                }
            }
        }
    }
    out.image = reducer.result();
    if (out.image.isNull()) {
        out.reason = QStringLiteral("not enough memory for the picture");
        return DecodeStatus::Unreadable;
    }
    return DecodeStatus::Ok;
}

} // namespace picture
