#include "tally/Tlzrw1.h"

#include "tally/Lzrw1Exceptions.h"
#include "tally/TLZR.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <new>
#include <ostream>
#include <streambuf>

namespace glypharo {

namespace {

constexpr std::array<std::uint8_t, 4> kFastId{0x57, 0x52, 0x5A, 0x4C}; // "WRZL"
constexpr std::array<std::uint8_t, 4> kGoodId{0x21, 0x48, 0x5A, 0x4C}; // "!HZL"
constexpr std::size_t kLargestBlock = TLZR::kPieceSize + 1;

struct WorkBuffers {
    std::vector<std::uint8_t> in;
    std::vector<std::uint8_t> out;
    WorkBuffers()
    {
        try {
            in.resize(TLZR::kBufferSize);
            out.resize(TLZR::kBufferSize + 2);
        } catch (const std::bad_alloc&) {
            throw ELzrw1Exception("Lzrw1 (de)compression : Failed to get memory for I/O buffers !");
        }
    }
};

// Where the container reads from. `take` hands out up to n bytes (fewer only
// at the end of the data) without copying when it can.
class StreamSource {
public:
    StreamSource(std::istream& in, std::vector<std::uint8_t>& buffer)
        : in_(in)
        , buffer_(buffer)
    {
    }
    std::span<const std::uint8_t> take(std::size_t n, const std::string& error)
    {
        in_.read(reinterpret_cast<char*>(buffer_.data()), static_cast<std::streamsize>(n));
        if (in_.bad()) {
            throw ELzrw1Exception(error);
        }
        return {buffer_.data(), static_cast<std::size_t>(in_.gcount())};
    }

private:
    std::istream& in_;
    std::vector<std::uint8_t>& buffer_;
};

class MemorySource {
public:
    explicit MemorySource(std::span<const std::uint8_t> data)
        : data_(data)
    {
    }
    std::span<const std::uint8_t> take(std::size_t n, const std::string&)
    {
        const std::span<const std::uint8_t> part = data_.subspan(0, std::min(n, data_.size()));
        data_ = data_.subspan(part.size());
        return part;
    }

private:
    std::span<const std::uint8_t> data_;
};

// Where the container writes to: `room(n)` gives n bytes to fill, `commit`
// keeps the first k of them.
class StreamSink {
public:
    StreamSink(std::ostream& out, std::vector<std::uint8_t>& buffer, const std::string& name)
        : out_(out)
        , buffer_(buffer)
        , name_(name)
    {
    }
    std::span<std::uint8_t> room(std::size_t n) { return {buffer_.data(), n}; }
    void commit(std::size_t k)
    {
        out_.write(reinterpret_cast<const char*>(buffer_.data()), static_cast<std::streamsize>(k));
        if (!out_.good()) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + name_);
        }
    }
    void finish()
    {
        out_.flush();
        if (!out_.good()) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + name_);
        }
    }

private:
    std::ostream& out_;
    std::vector<std::uint8_t>& buffer_;
    const std::string& name_;
};

class MemorySink {
public:
    explicit MemorySink(std::vector<std::uint8_t>& out)
        : out_(out)
    {
    }
    std::span<std::uint8_t> room(std::size_t n)
    {
        if (out_.size() < size_ + n) {
            out_.resize(std::max(size_ + n, out_.size() * 2));
        }
        return {out_.data() + size_, n};
    }
    void commit(std::size_t k) { size_ += k; }
    void finish() { out_.resize(size_); }

private:
    std::vector<std::uint8_t>& out_;
    std::size_t size_ = 0;
};

std::string percentText(std::size_t part, std::size_t whole)
{
    return std::to_string(whole == 0 ? 0 : part * 100 / whole) + "%";
}

std::string bytesText(std::size_t in, std::size_t out)
{
    return "(LZRW1/KH) Bytes in : " + std::to_string(in) + " Bytes out : " + std::to_string(out);
}

using Progress = std::function<void(const std::string&)>;

template <class Source, class Sink>
std::size_t compressCore(
    Source& in, std::uint64_t length, Sink& out, const std::string& inName, const Progress& progress)
{
    TLZR coder;
    const std::span<std::uint8_t> header = out.room(8);
    std::memcpy(header.data(), kFastId.data(), 4);
    for (std::size_t i = 0; i < 4; ++i) {
        header[4 + i] = std::uint8_t(length >> (8 * i));
    }
    out.commit(8);
    std::size_t written = 8;
    std::uint64_t totalRead = 0;
    const std::string readError = "Lzrw1 : Error reading from input file : " + inName + " (LZRW1/KH)";
    std::size_t got = 0;
    do {
        const std::span<const std::uint8_t> piece = in.take(TLZR::kPieceSize, readError);
        got = piece.size();
        totalRead += got;
        const std::span<std::uint8_t> block = out.room(TLZR::kBufferSize + 2);
        const std::size_t coded = coder.encode(piece, block.subspan(2));
        block[0] = std::uint8_t(coded);
        block[1] = std::uint8_t(coded >> 8);
        out.commit(coded + 2);
        written += coded + 2;
        if (progress) {
            progress(bytesText(static_cast<std::size_t>(totalRead), written));
        }
    } while (got == TLZR::kPieceSize);
    // The header promised `length` bytes; a file that changed while it was
    // read would give a container that no reader accepts.
    if (totalRead != length) {
        throw ELzrw1Exception(readError);
    }
    out.finish();
    return written;
}

template <class Source>
std::span<const std::uint8_t> takeExactly(Source& in, std::size_t n, const std::string& name)
{
    const std::string error = "Lzrw1 : Error reading from input file : " + name;
    const std::span<const std::uint8_t> part = in.take(n, error);
    if (part.size() != n) {
        throw ELzrw1Exception(error);
    }
    return part;
}

template <class Source> std::uint64_t readHeader(Source& in, const std::string& name)
{
    const std::span<const std::uint8_t> id = takeExactly(in, 4, name);
    if (std::equal(id.begin(), id.end(), kGoodId.begin())) {
        throw ELzrw1Exception(name
            + " : Lzrw1 decompression : this file uses the LZH method (!HZL), which this program cannot read "
              "!");
    }
    if (!std::equal(id.begin(), id.end(), kFastId.begin())) {
        throw ELzrw1Exception(name + " : Lzrw1 decompression : this file has no valid header !");
    }
    const std::span<const std::uint8_t> size = takeExactly(in, 4, name);
    return std::uint64_t(size[0]) | std::uint64_t(size[1]) << 8 | std::uint64_t(size[2]) << 16
        | std::uint64_t(size[3]) << 24;
}

template <class Source, class Sink>
std::size_t decompressCore(
    Source& in, Sink& out, const std::string& inName, std::size_t& consumed, const Progress& progress)
{
    TLZR coder;
    const std::uint64_t length = readHeader(in, inName);
    const ELzrw1Exception mismatch(
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
    consumed = 8;
    std::uint64_t total = 0;
    std::size_t piece = 0;
    do {
        const std::span<const std::uint8_t> size = takeExactly(in, 2, inName);
        const std::size_t coded = size[0] | (std::size_t(size[1]) << 8);
        if (coded > kLargestBlock) {
            throw ELzrw1KHCompressor("LZRW1KH : corrupt compressed block : block longer than 32769 bytes");
        }
        const std::span<const std::uint8_t> block = takeExactly(in, coded, inName);
        consumed += 2 + coded;
        piece = coder.decode(block, out.room(TLZR::kBufferSize));
        // Stop as soon as the data outgrows its header: a forged file must
        // not make us write without end.
        if (total + piece > length) {
            throw mismatch;
        }
        out.commit(piece);
        total += piece;
        if (progress) {
            progress(bytesText(consumed, static_cast<std::size_t>(total)));
        }
    } while (piece == TLZR::kPieceSize);
    if (total != length) {
        throw mismatch;
    }
    out.finish();
    return static_cast<std::size_t>(total);
}

std::size_t compressStream(std::istream& in, std::uint64_t length, std::ostream& out,
    const std::string& inName, const std::string& outName, const Progress& progress)
{
    WorkBuffers buffers;
    StreamSource source(in, buffers.in);
    StreamSink sink(out, buffers.out, outName);
    return compressCore(source, length, sink, inName, progress);
}

std::size_t decompressStream(std::istream& in, std::ostream& out, const std::string& inName,
    const std::string& outName, std::size_t& consumed, const Progress& progress)
{
    WorkBuffers buffers;
    StreamSource source(in, buffers.in);
    StreamSink sink(out, buffers.out, outName);
    return decompressCore(source, sink, inName, consumed, progress);
}

// Reads up to n bytes; a short count means the end of the data.
std::size_t readUpTo(std::istream& in, std::uint8_t* p, std::size_t n, const std::string& error)
{
    in.read(reinterpret_cast<char*>(p), static_cast<std::streamsize>(n));
    if (in.bad()) {
        throw ELzrw1Exception(error);
    }
    return static_cast<std::size_t>(in.gcount());
}

// Opens the input, creates the output, lets `fill` write it and closes it;
// on any failure the output file is deleted before the error goes on.
template <class Fill> std::size_t throughFiles(const std::string& in, const std::string& out, Fill fill)
{
    std::ifstream input(in, std::ios::binary);
    if (!input) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + in);
    }
    // Creating the output would empty the input if both were the same file.
    std::error_code ec;
    if (std::filesystem::equivalent(in, out, ec)) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + out);
    }
    std::ofstream output(out, std::ios::binary | std::ios::trunc);
    if (!output) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + out);
    }
    try {
        const std::size_t result = fill(input, output);
        output.close();
        if (output.fail()) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + out);
        }
        return result;
    } catch (...) {
        output.close();
        std::filesystem::remove(out, ec);
        throw;
    }
}

} // namespace

std::string Tlzrw1::inName() const
{
    return inputFile_.empty() && useStream_ ? std::string("input stream") : inputFile_;
}

std::string Tlzrw1::outName() const
{
    return outputFile_.empty() && useStream_ ? std::string("output stream") : outputFile_;
}

void Tlzrw1::report(const std::string& text) const
{
    if (onProgress_) {
        onProgress_(text);
    }
}

std::size_t Tlzrw1::Compress()
{
    if (!useStream_) {
        return compressFile();
    }
    const std::string sizeError = "Lzrw1 compression : Failed to obtain the size of : " + inName();
    if (inputStream_ == nullptr) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + inName());
    }
    if (outputStream_ == nullptr) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + outName());
    }
    std::istream& in = *inputStream_;
    const auto start = in.tellg();
    in.seekg(0, std::ios_base::end);
    const auto end = in.tellg();
    in.seekg(start);
    if (start == std::istream::pos_type(-1) || end == std::istream::pos_type(-1) || !in.good()) {
        throw ELzrw1Exception(sizeError);
    }
    const auto length = static_cast<std::uint64_t>(end - start);
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        throw ELzrw1Exception(sizeError);
    }
    const std::size_t written = compressStream(in, length, *outputStream_, inName(), outName(), onProgress_);
    report(inName() + " : Lzrw1 : successfully compressed at " + percentText(written, length));
    return written;
}

std::size_t Tlzrw1::compressFile()
{
    const std::string in = inputFile_;
    const std::string out = outputFile_;
    std::error_code ec;
    const std::uintmax_t length = std::filesystem::file_size(in, ec);
    if (ec || length > std::numeric_limits<std::uint32_t>::max()) {
        throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of : " + in);
    }
    const std::size_t written = throughFiles(in, out, [&](std::istream& input, std::ostream& output) {
        return compressStream(input, length, output, in, out, onProgress_);
    });
    report(in + " : Lzrw1 : successfully compressed at " + percentText(written, length));
    return written;
}

std::size_t Tlzrw1::Decompress()
{
    if (!useStream_) {
        return decompressFile();
    }
    if (inputStream_ == nullptr) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + inName());
    }
    if (outputStream_ == nullptr) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + outName());
    }
    std::size_t consumed = 0;
    const std::size_t total
        = decompressStream(*inputStream_, *outputStream_, inName(), outName(), consumed, onProgress_);
    report(inName() + " : Lzrw1 : successfully decompressed at " + percentText(total, consumed));
    return total;
}

std::size_t Tlzrw1::decompressFile()
{
    const std::string in = inputFile_;
    const std::string out = outputFile_;
    std::size_t consumed = 0;
    const std::size_t total = throughFiles(in, out, [&](std::istream& input, std::ostream& output) {
        return decompressStream(input, output, in, out, consumed, onProgress_);
    });
    report(in + " : Lzrw1 : successfully decompressed at " + percentText(total, consumed));
    return total;
}

TCompressMode Tlzrw1::Advise()
{
    WorkBuffers buffers;
    std::size_t got = 0;
    const std::string error = "Lzrw1 : Error reading from input file : " + inName();
    if (useStream_) {
        if (inputStream_ == nullptr) {
            throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + inName());
        }
        const auto start = inputStream_->tellg();
        got = readUpTo(*inputStream_, buffers.in.data(), TLZR::kPieceSize, error);
        inputStream_->clear();
        inputStream_->seekg(start);
    } else {
        std::ifstream input(inputFile_, std::ios::binary);
        if (!input) {
            throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + inputFile_);
        }
        got = readUpTo(input, buffers.in.data(), TLZR::kPieceSize, error);
    }
    if (got == 0) {
        return TCompressMode::Fast;
    }
    TLZR coder;
    const std::size_t coded = coder.encode({buffers.in.data(), got}, buffers.out);
    const std::size_t saving = coded >= got ? 0 : (got - coded) * 100 / got;
    return saving < static_cast<std::size_t>(std::max(threshold_, 0)) ? TCompressMode::Good
                                                                      : TCompressMode::Fast;
}

std::vector<std::uint8_t> Tlzrw1::compressBytes(std::span<const std::uint8_t> data)
{
    if (data.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of : memory");
    }
    std::vector<std::uint8_t> result;
    // The largest possible container: every piece stored, plus the empty one.
    result.reserve(8 + (data.size() / TLZR::kPieceSize + 1) * (kLargestBlock + 2) + TLZR::kSpare);
    MemorySource source(data);
    MemorySink sink(result);
    compressCore(source, data.size(), sink, "memory", nullptr);
    return result;
}

std::vector<std::uint8_t> Tlzrw1::decompressBytes(std::span<const std::uint8_t> data, const std::string& name)
{
    std::vector<std::uint8_t> result;
    // Room for what the header promises, but never more than the blocks can
    // hold (a run item of 4 bytes gives at most 4111), whatever the header says.
    if (data.size() >= 8) {
        const std::uint64_t promised = std::uint64_t(data[4]) | std::uint64_t(data[5]) << 8
            | std::uint64_t(data[6]) << 16 | std::uint64_t(data[7]) << 24;
        result.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(promised, data.size() * 1028ull))
            + TLZR::kBufferSize);
    }
    MemorySource source(data);
    MemorySink sink(result);
    std::size_t consumed = 0;
    decompressCore(source, sink, name, consumed, nullptr);
    return result;
}

} // namespace glypharo
