#include "shell/settings.h"

std::uint32_t HighlightColourFor(int highlight, int customColour)
{
    static constexpr std::uint32_t table[] = {
        0x0000FF, // 1 red
        0x09FF09, // 2 lime
        0x00ECEC, // 3 yellow
        0xFF6C6C, // 4 blue
        0xD900D9, // 5 fuchsia
        0xECEC00, // 6 aqua
        0x00B300, // 7 green
        0x00AEAE, // 8 olive
        0xCB10B4, // 9 purple
        0xA6A600, // 10 teal
        0x919191, // 11 gray
        0xB4B4B4, // 12 silver
    };
    if (highlight >= 1 && highlight <= 12)
        return table[highlight - 1];
    if (highlight == 13)
        return AdjustCustomColour(static_cast<std::uint32_t>(customColour));
    return 0x0000FF;
}

std::uint32_t AdjustCustomColour(std::uint32_t colour)
{
    const std::uint32_t rgb = colour & 0xFFFFFFu;
    if (rgb == 0 || rgb == 1)
        return 0x000100;
    if (rgb == 0xFFFFFF || rgb == 0xFFFFFE)
        return 0xFFFEFF;
    return rgb;
}
