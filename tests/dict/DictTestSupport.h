#pragma once

#include "dict/WordListSource.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace glypharo::test {

// A fresh folder under the system temp folder, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

// Hands out fixed bytes (or nothing) and counts how often it was asked.
class StringSource : public WordListSource {
public:
    explicit StringSource(std::optional<std::string> data)
        : data_(std::move(data))
    {
    }
    std::optional<std::string> load() override
    {
        ++loads;
        return data_;
    }
    int loads = 0;

private:
    std::optional<std::string> data_;
};

// Dictionary records for the words, in the order given (not sorted).
std::string records(const std::vector<std::string>& words);
std::string readfile(const std::filesystem::path& path);
void writefile(const std::filesystem::path& path, const std::string& bytes);

} // namespace glypharo::test
