#include "dict/TDictn.h"

#include "dict/WordKey.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace glypharo {

namespace {

bool writeall(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

TDictn::TDictn(WordListSource& source, MessageHook message, const std::filesystem::path& folder)
{
    std::error_code ec;
    const std::filesystem::path dir = folder.empty() ? std::filesystem::path(".") : folder;
    // Absolute, so a later change of the current folder cannot make the
    // destructor delete some other "English".
    path_ = std::filesystem::absolute(dir / kFileName, ec);
    if (ec)
        path_ = dir / kFileName;

    if (!std::filesystem::exists(path_, ec))
        wrote_ = writeout(source);
    if (!openfile() && message)
        message(kNotFoundMessage);
}

TDictn::~TDictn()
{
    if (file_.fd >= 0)
        ::close(file_.fd);
    // A file that was there before we started belongs to someone else.
    if (wrote_) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

// Writes the list under a temporary name and renames it into place, so a
// crash or a full disk never leaves a truncated "English" for a later run to
// reuse unchecked.
bool TDictn::writeout(WordListSource& source)
{
    const std::optional<std::string> data = source.load();
    if (!data || data->empty())
        return false;

    std::string temp = path_.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0644) == 0 && writeall(fd, *data) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path_.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool TDictn::openfile()
{
    file_ = DictFile{};
    file_.fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (file_.fd < 0)
        return false;
    struct stat st { };
    if (::fstat(file_.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(file_.fd);
        file_.fd = -1;
        return false;
    }
    file_.open = true;
    file_.recordSize = kRecordSize;
    file_.keyWidth = static_cast<std::uint8_t>(kKeyWidth);
    // A trailing partial record is not counted, so it is never read.
    file_.lastIndex = static_cast<std::int64_t>(st.st_size) / kRecordSize - 1;
    return true;
}

// One record's word in key form, or nothing when the record cannot be read
// whole (the file shrank, or a read error).
std::optional<std::string> TDictn::readrecord(std::int64_t index)
{
    std::array<char, kRecordSize + 1> buffer{};
    const off_t offset = static_cast<off_t>(index) * file_.recordSize;
    ssize_t n;
    do {
        n = ::pread(file_.fd, buffer.data(), file_.recordSize, offset);
    } while (n < 0 && errno == EINTR);
    file_.recordsRead = (n == file_.recordSize) ? 1 : 0;
    if (file_.recordsRead != 1)
        return std::nullopt;
    buffer[kRecordSize] = '\0';
    // The word field plus the zero byte after the buffer, as one key.
    return wordkey(std::string_view(buffer.data() + 1, kWordWidth + 1));
}

bool TDictn::WordExists(const std::string& word)
{
    if (!file_.open)
        return false;
    const std::string trimmed = trimword(word);
    if (trimmed.empty())
        return false;
    const std::string key = wordkey(trimmed);

    std::int64_t low = 0;
    std::int64_t high = file_.lastIndex;
    while (high >= low) {
        const std::int64_t mid = (low + high) / 2;
        const std::optional<std::string> record = readrecord(mid);
        if (!record)
            return false;
        const int order = record->compare(key);
        if (order == 0)
            return true;
        if (order < 0)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return false;
}

} // namespace glypharo
