#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>

// Windows metafiles. A WMF is drawn by libwmf, an EMF turned into SVG by libemf2svg and drawn
// by Qt SVG, in both cases straight at the size the fit gives the metafile's own frame (1/96
// inch to the pixel), on white. Before either library sees a file, its records are walked: each
// must lie inside the file, the end record must be there, counts must fit their records and
// every embedded bitmap must hold all its rows. Drawing is bounded too: once the pixels painted
// pass a budget the picture is refused as too large.
namespace picture {

DecodeStatus DecodeWmf(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodeWmf(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodeEmf(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodeEmf(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);

} // namespace picture
