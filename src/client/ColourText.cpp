#include "client/ColourText.h"

#include "protocol/FieldReader.h"

#include <array>
#include <cstdio>

namespace glypharo {

namespace {

struct NamedColour {
    std::string_view name;
    ColourValue value;
};

constexpr std::array<NamedColour, 16> kNamedColours{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<ColourValue> hexValue(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    ColourValue value = 0;
    for (char c : digits) {
        const char l = lower(c);
        int d = 0;
        if (l >= '0' && l <= '9')
            d = l - '0';
        else if (l >= 'a' && l <= 'f')
            d = l - 'a' + 10;
        else
            return std::nullopt;
        value = (value << 4) | static_cast<ColourValue>(d);
    }
    return value;
}

} // namespace

std::string colourToText(ColourValue colour)
{
    for (const NamedColour& named : kNamedColours) {
        if (named.value == colour)
            return std::string(named.name);
    }
    std::array<char, 10> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "$%08X", static_cast<unsigned>(colour));
    return std::string(buffer.data());
}

std::optional<ColourValue> colourFromText(std::string_view text)
{
    for (const NamedColour& named : kNamedColours) {
        if (sameIgnoringCase(named.name, text))
            return named.value;
    }
    if (!text.empty() && text.front() == '$')
        return hexValue(text.substr(1));
    // Negative numbers are the other program's system colours; keep their
    // bit pattern rather than refusing them.
    if (const std::optional<int> number = parseNumber(text))
        return static_cast<ColourValue>(*number);
    return std::nullopt;
}

} // namespace glypharo
