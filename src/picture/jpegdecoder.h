#pragma once

#include "picture/decodedpicture.h"

#include <QByteArray>

namespace picture {

// Decodes a JPEG at the smallest scale M/8 that still covers targetFor(upright size), with the
// EXIF orientation applied. Grey, colour, CMYK and YCCK; baseline and progressive. Errors end
// the decode silently (no message, no exit) with Unreadable; too many pixels, TooLarge.
DecodeStatus DecodeJpeg(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);

// The orientation (1..8) in an APP1 "Exif" block; 1 when absent or unreadable.
int ExifOrientation(const unsigned char* data, std::size_t size);

} // namespace picture
