#pragma once

#include <QColor>

// The cryptogram's two inks, on screen and on paper.
namespace cryptogram {

inline const QColor kCipherInk{0, 0, 128}; // navy
inline const QColor kGuessInk{128, 0, 0};  // maroon

} // namespace cryptogram
