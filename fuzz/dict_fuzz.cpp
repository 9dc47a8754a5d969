// Input: one length byte, that many bytes of word, the rest is the dictionary
// file. Whatever the file holds, a lookup must not read past it, and a word
// reported found must equal one of the file's whole records once normalised.

#include "dict/TDictn.h"
#include "dict/WordKey.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace {

class BytesSource : public glypharo::WordListSource {
public:
    std::optional<std::string> load() override { return bytes; }
    std::string bytes;
};

const std::filesystem::path& folder()
{
    static const std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "glypharo-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return path;
}

bool inrecords(const std::string& file, const std::string& word)
{
    const std::string key = glypharo::wordkey(word);
    for (std::size_t at = 0; at + 15 <= file.size(); at += 15) {
        if (glypharo::wordkey(std::string_view(file).substr(at + 1, 14)) == key)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t wordlength = std::min<std::size_t>(data[0], size - 1);
    const std::string word(reinterpret_cast<const char*>(data + 1), wordlength);
    BytesSource source;
    source.bytes.assign(reinterpret_cast<const char*>(data + 1 + wordlength), size - 1 - wordlength);

    bool found = false;
    {
        glypharo::TDictn dict(source, nullptr, folder());
        if (!source.bytes.empty() && !dict.isOpen())
            std::abort(); // the file was written out, so it must open
        found = dict.WordExists(word);
    }
    if (found && !inrecords(source.bytes, word))
        std::abort();
    if (std::filesystem::exists(folder() / "English"))
        std::abort(); // the written file must be gone at exit
    return 0;
}
