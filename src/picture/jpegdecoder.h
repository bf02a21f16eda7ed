#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>

namespace picture {

// Decodes a JPEG at the smallest scale M/8 that still covers targetFor(upright size), with the
// EXIF orientation applied. Grey, colour, CMYK and YCCK; baseline and progressive. A progressive
// file is read only until every coefficient the chosen scale uses has arrived. Data that ends
// early, too many scans for the picture's size or more memory than the file's size can explain
// refuse the picture; nothing is printed.
DecodeStatus DecodeJpeg(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodeJpeg(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);

// The orientation (1..8) in an APP1 "Exif" block; 1 when absent or unreadable.
int ExifOrientation(const unsigned char* data, std::size_t size);

} // namespace picture
