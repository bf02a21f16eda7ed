#pragma once

#include <QColor>
#include <cstdint>

// Colours are kept as 0x00BBGGRR values (low byte red) wherever they are stored or compared;
// these two are the only place that turns them into QColor and back.
QColor ToQColor(std::uint32_t bgr);
// The alpha channel is dropped; an invalid colour gives black.
std::uint32_t FromQColor(const QColor& colour);
