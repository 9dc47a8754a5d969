#include "DictTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace glypharo::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "glypharo-dict-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::names() const
{
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        out.push_back(entry.path().filename().string());
    return out;
}

std::string records(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& w : words) {
        std::string field = w.substr(0, 14);
        field.resize(14, ' ');
        out += '\x1e' + field;
    }
    return out;
}

std::string readfile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writefile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace glypharo::test
