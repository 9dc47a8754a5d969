#include "client/ColourText.h"

#include <gtest/gtest.h>

namespace glypharo {
namespace {

TEST(ColourTextTest, WritesNamesForTheSixteenAndHexOtherwise)
{
    const struct {
        ColourValue colour;
        const char* text;
    } cases[] = {
        {0x000000, "clBlack"},
        {0x000080, "clMaroon"},
        {0x008000, "clGreen"},
        {0x008080, "clOlive"},
        {0x800000, "clNavy"},
        {0x800080, "clPurple"},
        {0x808000, "clTeal"},
        {0x808080, "clGray"},
        {0xC0C0C0, "clSilver"},
        {0x0000FF, "clRed"},
        {0x00FF00, "clLime"},
        {0x00FFFF, "clYellow"},
        {0xFF0000, "clBlue"},
        {0xFF00FF, "clFuchsia"},
        {0xFFFF00, "clAqua"},
        {0xFFFFFF, "clWhite"},
        {0x000001, "$00000001"},
        {0x00C0FFEE, "$00C0FFEE"},
        {0x00ABCDEF, "$00ABCDEF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(colourToText(c.colour), c.text);
        EXPECT_EQ(colourFromText(c.text), c.colour) << c.text;
    }
}

TEST(ColourTextTest, ReadsNamesInAnyCaseNumbersAndHex)
{
    const struct {
        const char* text;
        std::optional<ColourValue> colour;
    } cases[] = {
        {"clblack", 0x000000},
        {"CLRED", 0x0000FF},
        {"ClFuChSiA", 0xFF00FF},
        {"$00FF0000", 0xFF0000}, // blue
        {"$ff", 0xFF},
        {"$0000ff00", 0x00FF00},
        {"255", 0xFF},
        {"8388608", 0x800000},
        {"0", 0},
        {"purple", std::nullopt},
        {"clPurpl", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"$12345G", std::nullopt},
        {"$123456789", std::nullopt},
        {"12a", std::nullopt},
        {" 12", std::nullopt},
        {"0x10", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(colourFromText(c.text), c.colour) << '"' << c.text << '"';
}

} // namespace
} // namespace glypharo
