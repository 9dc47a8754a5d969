#pragma once

#include "dict/WordChecker.h"
#include "dict/WordListSource.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace glypharo {

// The host's dictionary: the file "English" of sorted 15-byte records (byte
// 0x1E, then the upper-case word padded with spaces to 14 bytes), written out
// of the embedded word list when missing and searched on disk, one record per
// step, so the list is never held in memory.
class TDictn : public WordChecker {
public:
    using MessageHook = std::function<void(const std::string&)>;

    static constexpr const char* kFileName = "English";
    static constexpr const char* kNotFoundMessage = "English.dic dictionary not found!";
    static constexpr std::uint16_t kRecordSize = 15;
    static constexpr std::size_t kWordWidth = 14;
    static constexpr char kRecordMark = 0x1E;

    // Writes `folder`/English from `source` when it is missing and opens it.
    // When the file cannot be opened, `message` gets kNotFoundMessage once
    // and every lookup answers false.
    TDictn(WordListSource& source, MessageHook message, const std::filesystem::path& folder = {});
    // Closes the file and deletes it if this instance wrote it; errors ignored.
    ~TDictn() override;

    TDictn(const TDictn&) = delete;
    TDictn& operator=(const TDictn&) = delete;

    bool WordExists(const std::string& word) override;

    bool isOpen() const { return file_.open; }
    bool wroteFile() const { return wrote_; }
    const std::filesystem::path& path() const { return path_; }

private:
    // The open-file state.
    struct DictFile {
        int fd = -1;
        std::uint8_t keyWidth = 0;
        std::uint16_t recordSize = 0;
        std::int32_t recordsRead = 0;
        std::int64_t lastIndex = -1;
        bool open = false;
    };

    bool writeout(WordListSource& source);
    bool openfile();
    std::optional<std::string> readrecord(std::int64_t index);

    std::filesystem::path path_;
    DictFile file_;
    bool wrote_ = false;
};

} // namespace glypharo
