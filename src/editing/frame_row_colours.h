#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "editing/frame_row.h"

// Rows are coloured by loop block, so that the frames up to and including
// one with a jump share a colour; the click animation's rows are grey.
namespace mascot {

inline constexpr std::array<RowColour, 15> kLoopBlockColours = {
    Rgb(215, 0, 0),     Rgb(0, 111, 0),     Rgb(223, 0, 123),   Rgb(0, 75, 223),
    Rgb(195, 123, 7),   Rgb(15, 167, 183),  Rgb(227, 135, 155), Rgb(147, 87, 235),
    Rgb(255, 103, 187), Rgb(223, 131, 115), Rgb(179, 0, 199),   Rgb(147, 115, 91),
    Rgb(195, 199, 155), Rgb(143, 171, 183), Rgb(159, 111, 107),
};
inline constexpr std::array<RowColour, 3> kClickBlockColours = {
    Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(64, 64, 64)};

// First and last are frame indices; -1 (none) never lies in the range.
void ColourRows(std::vector<FrameRow>& rows, std::int32_t clickFirst, std::int32_t clickLast);

}  // namespace mascot
