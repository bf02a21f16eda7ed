#pragma once

#include <QByteArray>
#include <QString>

// Turns a tune list (the notation described in resources/tunes/README.md) into a standard MIDI
// file. The output depends on the list alone: the same list always gives the same bytes.
namespace tunecomposer {

constexpr int kTicksPerQuarter = 480;

struct Tune {
    QString file;          // the file name the program writes, e.g. "Carousel.MID"
    QString resource;      // the resource name, e.g. "music1"
    QByteArray midi;       // format 1: a conductor track, then one track a voice
    int voices = 0;
    int notes = 0;
    double seconds = 0;    // from the first tick to the last note's end
};

// False with *error ("line N: ...") when the list cannot be read.
bool Compose(const QString& text, Tune& tune, QString* error);

// The limits every tune of the program keeps: 30 s to 3 min, two voices or more, under 16 KB.
// Empty when the tune keeps them, else the broken limit.
QString CheckLimits(const Tune& tune);

} // namespace tunecomposer
