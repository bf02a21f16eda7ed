#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>

namespace picture {

// Decodes the largest picture of an icon (or cursor) file: a bitmap with its transparency mask
// or alpha, or an embedded PNG. Every entry must lie inside the file; transparent pixels come
// out transparent (the fit lays them on white).
DecodeStatus DecodeIco(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodeIco(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);

} // namespace picture
