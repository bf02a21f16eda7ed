#pragma once

#include <QString>
#include <cstdint>

// The user's choices that persist between runs, held program-wide while the program runs.
struct Settings {
    int mzlevel = 60;
    int mazeCursor = 255;
    int cgSkill = 3;
    int highlight = 1;
    int highlightColor = 255;
    int music = 3;
    bool play = false;
    QString selected;

    // Derived from highlight (and highlightColor for the custom choice 13).
    std::uint32_t effectiveHighlight = 0x0000FF;
};

// The colour of a highlight choice: 1 to 12 from the fixed table, 13 the custom colour
// (adjusted), anything else red. Colours are 0x00BBGGRR.
std::uint32_t HighlightColourFor(int highlight, int customColour);

// A custom highlight is never pure black or white, which recolouring would leave alone:
// 0 and 1 become 0x000100, 0xFFFFFF and 0xFFFFFE become 0xFFFEFF (low 24 bits compared).
std::uint32_t AdjustCustomColour(std::uint32_t colour);
