#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>

namespace picture {

// Decodes a PNG row by row (each interlaced pass in place); a picture at least twice
// targetFor(size) both ways is averaged down to it as the rows arrive, so only that is held. Before the library
// sees the file, its chunks are walked: each must fit in the file, the header must come first
// and the end chunk must be there. Text, colour profiles and other extras are skipped unread.
// Nothing is printed; a damaged file is refused with the library's reason.
DecodeStatus DecodePng(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodePng(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);

} // namespace picture
