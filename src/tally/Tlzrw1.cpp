#include "tally/Tlzrw1.h"

#include "tally/Lzrw1Exceptions.h"
#include "tally/TLZR.h"

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
            out.resize(TLZR::kBufferSize);
        } catch (const std::bad_alloc&) {
            throw ELzrw1Exception("Lzrw1 (de)compression : Failed to get memory for I/O buffers !");
        }
    }
};

// Reads up to n bytes; a short count means the end of the data.
std::size_t readUpTo(std::istream& in, std::uint8_t* p, std::size_t n, const std::string& error)
{
    in.read(reinterpret_cast<char*>(p), static_cast<std::streamsize>(n));
    if (in.bad()) {
        throw ELzrw1Exception(error);
    }
    return static_cast<std::size_t>(in.gcount());
}

void readExactly(std::istream& in, std::uint8_t* p, std::size_t n, const std::string& name)
{
    const std::string error = "Lzrw1 : Error reading from input file : " + name;
    if (readUpTo(in, p, n, error) != n) {
        throw ELzrw1Exception(error);
    }
}

void writeAll(std::ostream& out, const std::uint8_t* p, std::size_t n, const std::string& name)
{
    out.write(reinterpret_cast<const char*>(p), static_cast<std::streamsize>(n));
    if (!out.good()) {
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + name);
    }
}

std::string percentText(std::size_t part, std::size_t whole)
{
    return std::to_string(whole == 0 ? 0 : part * 100 / whole) + "%";
}

std::string bytesText(std::size_t in, std::size_t out)
{
    return "(LZRW1/KH) Bytes in : " + std::to_string(in) + " Bytes out : " + std::to_string(out);
}

using Progress = std::function<void(const std::string&)>;

std::size_t compressStream(std::istream& in, std::uint64_t length, std::ostream& out,
    const std::string& inName, const std::string& outName, const Progress& progress)
{
    WorkBuffers buffers;
    TLZR coder;
    std::array<std::uint8_t, 8> header{};
    std::memcpy(header.data(), kFastId.data(), 4);
    for (int i = 0; i < 4; ++i) {
        header[4 + i] = std::uint8_t(length >> (8 * i));
    }
    writeAll(out, header.data(), header.size(), outName);
    std::size_t written = header.size();
    std::uint64_t totalRead = 0;
    const std::string readError = "Lzrw1 : Error reading from input file : " + inName + " (LZRW1/KH)";
    std::size_t got = 0;
    do {
        got = readUpTo(in, buffers.in.data(), TLZR::kPieceSize, readError);
        totalRead += got;
        const std::size_t coded = coder.encode({buffers.in.data(), got}, buffers.out);
        const std::array<std::uint8_t, 2> size{std::uint8_t(coded), std::uint8_t(coded >> 8)};
        writeAll(out, size.data(), size.size(), outName);
        writeAll(out, buffers.out.data(), coded, outName);
        written += size.size() + coded;
        if (progress) {
            progress(bytesText(totalRead, written));
        }
    } while (got == TLZR::kPieceSize);
    // The header promised `length` bytes; a file that changed while it was
    // read would give a container that no reader accepts.
    if (totalRead != length) {
        throw ELzrw1Exception(readError);
    }
    out.flush();
    if (!out.good()) {
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + outName);
    }
    return written;
}

std::size_t decompressStream(std::istream& in, std::ostream& out, const std::string& inName,
    const std::string& outName, std::size_t& consumed, const Progress& progress)
{
    WorkBuffers buffers;
    TLZR coder;
    std::array<std::uint8_t, 4> id{};
    readExactly(in, id.data(), id.size(), inName);
    if (id == kGoodId) {
        throw ELzrw1Exception(inName
            + " : Lzrw1 decompression : this file uses the LZH method (!HZL), which this program cannot "
              "read !");
    }
    if (id != kFastId) {
        throw ELzrw1Exception(inName + " : Lzrw1 decompression : this file has no valid header !");
    }
    std::array<std::uint8_t, 4> lengthBytes{};
    readExactly(in, lengthBytes.data(), lengthBytes.size(), inName);
    std::uint64_t length = 0;
    for (int i = 3; i >= 0; --i) {
        length = (length << 8) | lengthBytes[i];
    }
    const ELzrw1Exception mismatch(
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
    consumed = 8;
    std::uint64_t total = 0;
    std::size_t piece = 0;
    do {
        std::array<std::uint8_t, 2> size{};
        readExactly(in, size.data(), size.size(), inName);
        const std::size_t coded = size[0] | (std::size_t(size[1]) << 8);
        if (coded > kLargestBlock) {
            throw ELzrw1KHCompressor("LZRW1KH : corrupt compressed block : block longer than 32769 bytes");
        }
        readExactly(in, buffers.in.data(), coded, inName);
        consumed += size.size() + coded;
        piece = coder.decode({buffers.in.data(), coded}, buffers.out);
        // Stop as soon as the data outgrows its header: a forged file must
        // not make us write without end.
        if (total + piece > length) {
            throw mismatch;
        }
        writeAll(out, buffers.out.data(), piece, outName);
        total += piece;
        if (progress) {
            progress(bytesText(consumed, static_cast<std::size_t>(total)));
        }
    } while (piece == TLZR::kPieceSize);
    if (total != length) {
        throw mismatch;
    }
    out.flush();
    if (!out.good()) {
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + outName);
    }
    return static_cast<std::size_t>(total);
}

// Read-only stream over a byte span, seekable so Compress can size it.
class SpanBuf : public std::streambuf {
public:
    explicit SpanBuf(std::span<const std::uint8_t> data)
    {
        char* p = const_cast<char*>(reinterpret_cast<const char*>(data.data()));
        setg(p, p, p + data.size());
    }

protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        const off_type base = dir == std::ios_base::beg ? 0
            : dir == std::ios_base::cur                 ? gptr() - eback()
                                                        : egptr() - eback();
        return seekpos(pos_type(base + off), std::ios_base::in);
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode) override
    {
        const off_type at = off_type(pos);
        if (at < 0 || at > egptr() - eback()) {
            return pos_type(off_type(-1));
        }
        setg(eback(), eback() + at, egptr());
        return pos;
    }
};

// Write-only stream appending to a byte vector.
class VectorBuf : public std::streambuf {
public:
    explicit VectorBuf(std::vector<std::uint8_t>& out)
        : out_(out)
    {
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            out_.push_back(static_cast<std::uint8_t>(c));
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        out_.insert(out_.end(), s, s + n);
        return n;
    }

private:
    std::vector<std::uint8_t>& out_;
};

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
    std::ifstream input(in, std::ios::binary);
    if (!input) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + in);
    }
    // Creating the output would empty the input if both were the same file.
    if (std::filesystem::equivalent(in, out, ec)) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + out);
    }
    std::ofstream output(out, std::ios::binary | std::ios::trunc);
    if (!output) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + out);
    }
    std::size_t written = 0;
    try {
        written = compressStream(input, length, output, in, out, onProgress_);
        output.close();
        if (output.fail()) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + out);
        }
    } catch (...) {
        output.close();
        std::filesystem::remove(out, ec);
        throw;
    }
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
    std::ifstream input(in, std::ios::binary);
    if (!input) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + in);
    }
    std::error_code ec;
    if (std::filesystem::equivalent(in, out, ec)) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + out);
    }
    std::ofstream output(out, std::ios::binary | std::ios::trunc);
    if (!output) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + out);
    }
    std::size_t consumed = 0;
    std::size_t total = 0;
    try {
        total = decompressStream(input, output, in, out, consumed, onProgress_);
        output.close();
        if (output.fail()) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + out);
        }
    } catch (...) {
        output.close();
        std::filesystem::remove(out, ec);
        throw;
    }
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
    std::vector<std::uint8_t> result;
    result.reserve(data.size() / 2 + 64);
    SpanBuf inBuf(data);
    VectorBuf outBuf(result);
    std::istream in(&inBuf);
    std::ostream out(&outBuf);
    Tlzrw1 codec;
    codec.setUseStream(true);
    codec.setCompressMode(TCompressMode::Fast);
    codec.setInputFile("memory");
    codec.setOutputFile("memory");
    codec.setInputStream(&in);
    codec.setOutputStream(&out);
    codec.Compress();
    return result;
}

std::vector<std::uint8_t> Tlzrw1::decompressBytes(std::span<const std::uint8_t> data, const std::string& name)
{
    std::vector<std::uint8_t> result;
    SpanBuf inBuf(data);
    VectorBuf outBuf(result);
    std::istream in(&inBuf);
    std::ostream out(&outBuf);
    Tlzrw1 codec;
    codec.setUseStream(true);
    codec.setInputFile(name);
    codec.setOutputFile("memory");
    codec.setInputStream(&in);
    codec.setOutputStream(&out);
    codec.Decompress();
    return result;
}

} // namespace glypharo
