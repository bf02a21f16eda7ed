#pragma once

#include <QFont>

// The program's three faces, chosen by family with a metric-compatible fallback.
namespace fonts {

QFont sans(int pixelSize, bool bold = false);  // MS Sans Serif
QFont mono(int pixelSize);                     // Courier
QFont serif(int pixelSize, bool bold = false); // MS Serif
QFont sansPoints(int pointSize, bool bold = false);

} // namespace fonts
