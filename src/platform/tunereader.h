#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Checks a tune file before it reaches the synthesiser, which plays whatever it is given.
// Takes a standard MIDI file or one wrapped as RIFF "RMID" (the file in its "data" chunk).
namespace tunereader {

constexpr qint64 kMaxBytes = 8 * 1024 * 1024;

constexpr int kOk = 0;
constexpr int kUnreadable = -2; // cannot be opened or read, or larger than kMaxBytes
constexpr int kNotMidi = -3;    // neither a MIDI file nor a RIFF MIDI wrapper
constexpr int kDamaged = -4;    // cut short, inconsistent, or without a single note

struct TuneInfo {
    int format = 0;
    int tracks = 0;
    std::int64_t ticks = 0;   // the end of the longest track
    double seconds = 0;       // that end in time, tempo changes applied
    int notes = 0;            // note-ons with a velocity
    QByteArray midi;          // the standard MIDI file itself (unwrapped from RIFF)
};

// One of the codes above; info is filled on kOk only.
int ReadTuneBytes(const QByteArray& bytes, TuneInfo& info);
int ReadTuneFile(const QString& path, TuneInfo& info);

} // namespace tunereader
