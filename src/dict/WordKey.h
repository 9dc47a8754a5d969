#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glypharo {

// Both sides of every dictionary comparison are brought to this form: bytes 0
// become spaces, leading and trailing spaces go, the rest is padded with
// spaces to kKeyWidth (a longer text keeps its length and so never equals a
// record) and ASCII a-z are upper-cased.
inline constexpr std::size_t kKeyWidth = 15;

std::string trimword(std::string_view text);
std::string wordkey(std::string_view text);

} // namespace glypharo
