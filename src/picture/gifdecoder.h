#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>

namespace picture {

// Decodes the first frame of a GIF line by line (interlaced too), clipped to the logical
// screen, reduced by whole-pixel box averaging while it still covers targetFor(screen size).
// Transparent pixels and the screen outside the frame are white; a colour index beyond the
// colour map is black. A frame whose data ends early is refused.
DecodeStatus DecodeGif(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodeGif(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);

} // namespace picture
