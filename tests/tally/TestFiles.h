#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace glypharo::test {

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> bytesOf(const std::string& text);
// Deterministic test data.
std::vector<std::uint8_t> randomBytes(std::size_t n, std::uint32_t seed);
std::vector<std::uint8_t> textBytes(std::size_t n, std::uint32_t seed);

} // namespace glypharo::test
