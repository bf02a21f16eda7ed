#include "platform/tunereader.h"

#include "platform/inputfile.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tunereader {
namespace {

constexpr std::uint32_t kDefaultMicrosPerQuarter = 500000;

struct Cursor {
    const unsigned char* data;
    qsizetype pos;
    qsizetype end;

    bool has(qsizetype n) const { return n >= 0 && end - pos >= n; }
    std::uint32_t big(int n)
    {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | data[pos++];
        return v;
    }
    std::uint32_t little4()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t(data[pos++]) << (8 * i);
        return v;
    }
    bool id(const char* four) const { return has(4) && std::equal(four, four + 4, data + pos); }
    // A variable-length quantity: at most four bytes, all inside the cursor's range.
    bool varLen(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (!has(1))
                return false;
            const unsigned char b = data[pos++];
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
};

struct TempoChange {
    std::int64_t tick;
    std::uint32_t micros;
};

// One track chunk's events; false when they do not parse.
bool ReadTrack(Cursor c, std::int64_t& endTick, int& notes, std::vector<TempoChange>& tempos)
{
    std::int64_t tick = 0;
    int running = 0;
    while (c.has(1)) {
        std::uint32_t delta = 0;
        if (!c.varLen(delta) || !c.has(1))
            return false;
        tick += delta;
        int status = c.data[c.pos];
        if (status & 0x80) {
            ++c.pos;
        } else if (running) {
            status = running;
        } else {
            return false;
        }
        if (status == 0xFF) {
            running = 0;
            if (!c.has(1))
                return false;
            const int type = c.data[c.pos++];
            std::uint32_t length = 0;
            if (!c.varLen(length) || !c.has(length))
                return false;
            if (type == 0x51) {
                if (length != 3)
                    return false;
                const std::uint32_t micros = c.big(3);
                if (micros == 0)
                    return false;
                tempos.push_back({tick, micros});
            } else {
                c.pos += length;
            }
            if (type == 0x2F)
                break;
        } else if (status == 0xF0 || status == 0xF7) {
            running = 0;
            std::uint32_t length = 0;
            if (!c.varLen(length) || !c.has(length))
                return false;
            c.pos += length;
        } else if (status > 0xF0) {
            return false;
        } else {
            running = status;
            const int kind = status & 0xF0;
            const int count = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (!c.has(count))
                return false;
            for (int i = 0; i < count; ++i)
                if (c.data[c.pos + i] & 0x80)
                    return false;
            if (kind == 0x90 && c.data[c.pos + 1] != 0)
                ++notes;
            c.pos += count;
        }
    }
    endTick = tick;
    return true;
}

double SecondsAt(std::int64_t ticks, int division, std::vector<TempoChange> tempos)
{
    if (division & 0x8000) {
        const int fps = -static_cast<signed char>(division >> 8);
        const double framesPerSecond = fps == 29 ? 29.97 : fps;
        return double(ticks) / (framesPerSecond * (division & 0xFF));
    }
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    double micros = 0;
    std::int64_t at = 0;
    std::uint32_t rate = kDefaultMicrosPerQuarter;
    for (const TempoChange& t : tempos) {
        if (t.tick >= ticks)
            break;
        micros += double(t.tick - at) * rate;
        at = t.tick;
        rate = t.micros;
    }
    micros += double(ticks - at) * rate;
    return micros / division / 1e6;
}

int ReadStandardMidi(const QByteArray& bytes, TuneInfo& info)
{
    Cursor c{reinterpret_cast<const unsigned char*>(bytes.constData()), 0, bytes.size()};
    if (!c.id("MThd"))
        return kNotMidi;
    c.pos += 4;
    if (!c.has(4))
        return kDamaged;
    const std::uint32_t headerLength = c.big(4);
    if (headerLength < 6 || !c.has(headerLength))
        return kDamaged;
    const int format = static_cast<int>(c.big(2));
    const int tracks = static_cast<int>(c.big(2));
    const int division = static_cast<int>(c.big(2));
    c.pos += headerLength - 6;
    if (format > 2 || tracks == 0 || division == 0)
        return kDamaged;
    if (division & 0x8000) {
        const int fps = -static_cast<signed char>(division >> 8);
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || (division & 0xFF) == 0)
            return kDamaged;
    }

    std::int64_t longest = 0;
    int notes = 0;
    std::vector<TempoChange> tempos;
    for (int found = 0; found < tracks;) {
        if (!c.has(8))
            return kDamaged;
        const bool isTrack = c.id("MTrk");
        c.pos += 4;
        const std::uint32_t length = c.big(4);
        if (!c.has(length))
            return kDamaged;
        if (isTrack) {
            std::int64_t end = 0;
            if (!ReadTrack(Cursor{c.data, c.pos, c.pos + qsizetype(length)}, end, notes, tempos))
                return kDamaged;
            longest = std::max(longest, end);
            ++found;
        }
        c.pos += length;
    }
    if (notes == 0)
        return kDamaged;

    info.format = format;
    info.tracks = tracks;
    info.ticks = longest;
    info.seconds = SecondsAt(longest, division, std::move(tempos));
    info.notes = notes;
    info.midi = bytes;
    return kOk;
}

// RIFF "RMID": the MIDI file is the "data" chunk.
int ReadRiffMidi(const QByteArray& bytes, TuneInfo& info)
{
    Cursor c{reinterpret_cast<const unsigned char*>(bytes.constData()), 0, bytes.size()};
    if (!c.has(12))
        return kDamaged;
    c.pos += 8;
    if (!c.id("RMID"))
        return kNotMidi;
    c.pos += 4;
    while (c.has(8)) {
        const bool isData = c.id("data");
        c.pos += 4;
        const std::uint32_t length = c.little4();
        if (!c.has(length))
            return kDamaged;
        if (isData)
            return ReadStandardMidi(bytes.mid(c.pos, length), info);
        c.pos += length + (length & 1);
    }
    return kDamaged;
}

} // namespace

int ReadTuneBytes(const QByteArray& bytes, TuneInfo& info)
{
    if (bytes.size() > kMaxBytes)
        return kUnreadable;
    TuneInfo read;
    const int code = bytes.startsWith("RIFF") ? ReadRiffMidi(bytes, read) : ReadStandardMidi(bytes, read);
    if (code == kOk)
        info = std::move(read);
    return code;
}

int ReadTuneFile(const QString& path, TuneInfo& info)
{
    // Opened once without blocking: anything but a regular file (a pipe would never end) is
    // refused, and a name swapped after the check changes nothing.
    QByteArray bytes;
    if (!inputfile::ReadFile(path, kMaxBytes, bytes))
        return kUnreadable;
    return ReadTuneBytes(bytes, info);
}

} // namespace tunereader
