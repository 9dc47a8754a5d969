#include "tally/TallyFile.h"

#include "tally/Lzrw1Exceptions.h"
#include "tally/Tlzrw1.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define GLYPHARO_HAVE_FSYNC 1
#endif

namespace glypharo {

namespace {

bool writeAllBytes(std::FILE* file, std::span<const std::uint8_t> bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Makes the written bytes durable before the rename publishes them.
bool syncFile(std::FILE* file)
{
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef GLYPHARO_HAVE_FSYNC
    return ::fsync(::fileno(file)) == 0;
#else
    return true;
#endif
}

// Creates a scratch file that did not exist before ("x": exclusive), so no
// other file can ever be overwritten by a save.
std::FILE* createScratch(const std::filesystem::path& folder, std::filesystem::path& scratch)
{
    static std::mt19937_64 random(std::random_device{}()
        ^ static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 16; ++attempt) {
        scratch = folder / (std::string(TallyFile::kFileName) + "." + std::to_string(random()) + ".tmp");
        if (std::FILE* file = std::fopen(scratch.c_str(), "wbx")) {
            return file;
        }
    }
    return nullptr;
}

} // namespace

TallyFile::TallyFile(std::filesystem::path folder)
    : folder_(std::move(folder))
    , writer_(writeAllBytes)
{
}

std::filesystem::path TallyFile::badPath() const
{
    return folder_ / (std::string(kFileName) + kBadSuffix);
}

bool TallyFile::exists() const
{
    std::error_code ec;
    return std::filesystem::exists(path(), ec);
}

TallyTable TallyFile::read() const
{
    const std::string name = path().string();
    std::ifstream in(path(), std::ios::binary);
    if (!in) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + name);
    }
    const std::vector<std::uint8_t> bytes{
        std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + name);
    }
    const std::vector<std::uint8_t> text = Tlzrw1::decompressBytes(bytes, name);
    return TallyTable::fromText({reinterpret_cast<const char*>(text.data()), text.size()});
}

bool TallyFile::write(const TallyTable& table) const
{
    std::vector<std::uint8_t> bytes;
    try {
        const std::string text = table.toText();
        bytes = Tlzrw1::compressBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    } catch (const std::exception&) {
        return false;
    }
    std::filesystem::path scratch;
    std::FILE* file = createScratch(folder_, scratch);
    if (file == nullptr) {
        return false;
    }
    bool ok = writer_(file, bytes);
    ok = syncFile(file) && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(scratch, path(), ec);
    }
    if (!ok || ec) {
        std::filesystem::remove(scratch, ec);
        return false;
    }
    return true;
}

bool TallyFile::keepAside() const
{
    std::error_code ec;
    std::filesystem::rename(path(), badPath(), ec);
    if (!ec) {
        return true;
    }
    ec.clear();
    std::filesystem::copy_file(path(), badPath(), std::filesystem::copy_options::overwrite_existing, ec);
    return !ec;
}

} // namespace glypharo
