#pragma once

#include <QImage>

// Recolours drawn highlights: every pixel that is neither pure black nor pure white takes the
// colour, so letters and background stay. The picture ends up with 24-bit colour (RGB32).
void RecolourPicture(QImage& target, QRgb colour);
