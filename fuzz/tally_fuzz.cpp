// The tally file comes from disk and may be anything. Whatever the bytes, the
// decompressor and the table reader must either succeed or throw their own
// exceptions, never touch memory outside their buffers.
#include "tally/Lzrw1Exceptions.h"
#include "tally/TallyTable.h"
#include "tally/Tlzrw1.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <sstream>
#include <string_view>

namespace {

void decompressAsFile(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    glypharo::Tlzrw1 codec;
    codec.setUseStream(true);
    codec.setInputStream(&in);
    codec.setOutputStream(&out);
    try {
        const std::size_t written = codec.Decompress();
        // What was accepted must encode again to something that decodes the same.
        const std::string plain = out.str();
        if (written != plain.size()) {
            std::abort();
        }
        const std::span<const std::uint8_t> bytes(
            reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size());
        const auto again = glypharo::Tlzrw1::decompressBytes(glypharo::Tlzrw1::compressBytes(bytes));
        if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) {
            std::abort();
        }
    } catch (const glypharo::ELzrw1Exception&) {
    } catch (const glypharo::ELzrw1KHCompressor&) {
    }
}

void readTable(const std::uint8_t* data, std::size_t size)
{
    try {
        const auto table = glypharo::TallyTable::fromText({reinterpret_cast<const char*>(data), size});
        if (table.rowCount() < 1 || table.rowCount() > glypharo::TallyTable::kMaxRows) {
            std::abort();
        }
        (void)table.toText();
    } catch (const glypharo::TallyFormatError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    decompressAsFile(data, size);
    readTable(data, size);
    return 0;
}
