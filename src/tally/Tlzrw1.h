#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace glypharo {

enum class TCompressMode { Good, Fast, Auto };

// The file compressor of the tally. Container: the identifier "WRZL", the
// uncompressed length (32-bit little-endian), then blocks of a 16-bit length
// and one LZRW1/KH coded block (TLZR) each; the data is cut into pieces of
// 32768 bytes, and a length that is a multiple of 32768 ends with an empty
// piece.
//
// Only the fast method (LZRW1/KH) is offered. The other method's files
// ("!HZL") are refused with a clear message; Good, and Auto when Advise
// suggests Good, compress with the fast method, so every file written here
// is readable by every copy.
//
// Work in file mode (InputFile -> OutputFile) or, with UseStream, between
// std::istream and std::ostream. Memory stays bounded: two 32784-byte work
// buffers and the coder's hash table, whatever the size of the data.
class Tlzrw1 {
public:
    static constexpr std::uint32_t kDefaultThreshold = 40;

    void setUseStream(bool on) { useStream_ = on; }
    bool UseStream() const { return useStream_; }
    void setInputFile(std::string name) { inputFile_ = std::move(name); }
    const std::string& InputFile() const { return inputFile_; }
    void setOutputFile(std::string name) { outputFile_ = std::move(name); }
    const std::string& OutputFile() const { return outputFile_; }
    void setCompressMode(TCompressMode mode) { mode_ = mode; }
    TCompressMode CompressMode() const { return mode_; }
    void setThreshold(int percent) { threshold_ = percent; }
    int Threshold() const { return threshold_; }

    // Streams for UseStream mode; not owned. InputFile/OutputFile, when set,
    // name them in error texts.
    void setInputStream(std::istream* in) { inputStream_ = in; }
    void setOutputStream(std::ostream* out) { outputStream_ = out; }

    // Progress texts ("(LZRW1/KH) Bytes in : ... Bytes out : ..." after each
    // block, the success line at the end). Also the hook that lets a user
    // interface process pending events between blocks.
    void setOnProgress(std::function<void(const std::string&)> callback)
    {
        onProgress_ = std::move(callback);
    }

    // Returns the number of bytes written (container header included).
    std::size_t Compress();
    // Returns the number of uncompressed bytes written.
    std::size_t Decompress();
    // The method Auto would take for the current input: the fast coder is
    // tried on the first piece; when it saves less than Threshold percent,
    // the stronger method is suggested (Good). The input is left unread
    // (stream mode: the stream position is restored).
    TCompressMode Advise();

    // In-memory helpers (the tally keeps its plain text in memory).
    static std::vector<std::uint8_t> compressBytes(std::span<const std::uint8_t> data);
    static std::vector<std::uint8_t> decompressBytes(
        std::span<const std::uint8_t> data, const std::string& name = "memory");

private:
    std::size_t compressFile();
    std::size_t decompressFile();
    std::string inName() const;
    std::string outName() const;
    void report(const std::string& text) const;

    bool useStream_ = false;
    std::string inputFile_;
    std::string outputFile_;
    TCompressMode mode_ = TCompressMode::Good;
    int threshold_ = kDefaultThreshold;
    std::istream* inputStream_ = nullptr;
    std::ostream* outputStream_ = nullptr;
    std::function<void(const std::string&)> onProgress_;
};

} // namespace glypharo
