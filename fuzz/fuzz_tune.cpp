// The tune reader on arbitrary bytes: it returns one of its codes, reads nothing outside the
// input, and what it accepts has a note and a sane length.
#include "platform/tunereader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    tunereader::TuneInfo info;
    const int code = tunereader::ReadTuneBytes(bytes, info);
    if (code != tunereader::kOk && code != tunereader::kUnreadable && code != tunereader::kNotMidi &&
        code != tunereader::kDamaged)
        std::abort();
    if (code == tunereader::kOk) {
        if (info.notes < 1 || info.tracks < 1 || info.ticks < 0 || !std::isfinite(info.seconds) || info.seconds < 0)
            std::abort();
        if (info.midi.size() > bytes.size() || !info.midi.startsWith("MThd"))
            std::abort();
    }
    return 0;
}
