#include "TestFiles.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <random>

namespace glypharo::test {

TempFolder::TempFolder()
{
    static std::mt19937_64 random(std::random_device{}());
    path_ = std::filesystem::temp_directory_path() / ("glypharo-tally-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> TempFolder::names() const
{
    std::vector<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        result.push_back(entry.path().filename().string());
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> randomBytes(std::size_t n, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

std::vector<std::uint8_t> textBytes(std::size_t n, std::uint32_t seed)
{
    static const std::array<const char*, 12> words{
        "tally", "word", "GAME", "the", "and", "glyph", "row", "score", "tile", "letter", "wins", "player"};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < n) {
        switch (random() % 6) {
        case 0:
            text += std::to_string(random() % 10000);
            break;
        case 1:
            text += ", ";
            break;
        default:
            text += words[random() % words.size()];
            text += ' ';
        }
    }
    text.resize(n);
    return bytesOf(text);
}

} // namespace glypharo::test
