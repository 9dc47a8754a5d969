#include "dict/WordKey.h"

namespace glypharo {

std::string trimword(std::string_view text)
{
    std::string s(text);
    for (char& c : s) {
        if (c == '\0')
            c = ' ';
    }
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::string wordkey(std::string_view text)
{
    std::string key = trimword(text);
    if (key.size() < kKeyWidth)
        key.resize(kKeyWidth, ' ');
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

} // namespace glypharo
