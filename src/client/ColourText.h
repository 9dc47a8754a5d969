#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glypharo {

// A colour as the settings file and chat messages carry it: 0x00BBGGRR
// (blue in the third byte, red in the lowest).
using ColourValue = std::uint32_t;

inline constexpr ColourValue kColourBlack = 0x000000;
inline constexpr ColourValue kColourMaroon = 0x000080; // the program's own chat lines
inline constexpr ColourValue kColourRed = 0x0000FF; // received lines without a readable colour

// "clBlack" .. "clWhite" when the colour is exactly one of the sixteen basic
// colours, otherwise "$" and eight upper-case hexadecimal digits.
std::string colourToText(ColourValue colour);

// The sixteen names (any case), a decimal number, or "$" and one to eight
// hexadecimal digits. Anything else is nullopt; the caller picks the fallback
// (black for settings, red for chat).
std::optional<ColourValue> colourFromText(std::string_view text);

inline constexpr int colourRed(ColourValue c)
{
    return static_cast<int>(c & 0xFF);
}
inline constexpr int colourGreen(ColourValue c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int colourBlue(ColourValue c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr ColourValue colourFromRgb(int r, int g, int b)
{
    return static_cast<ColourValue>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

} // namespace glypharo
