#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace glypharo {

// The LZRW1/KH block coder. One piece of at most 32768 bytes is coded into a
// block that starts with a flag byte: 0x80 for a piece stored as it is, 0x40
// for a compressed piece made of groups (a 16-bit control word, high byte
// first, then up to 16 items: literal bytes, copies of 3..18 bytes from up to
// 4095 bytes back, and runs of 16..4095 equal bytes).
//
// The encoder output is fixed byte for byte: tally files written by any copy
// of the program must stay readable by every other copy.
class TLZR {
public:
    static constexpr std::size_t kPieceSize = 32768;
    // Spare bytes behind a piece in a work buffer; the encoder may run a few
    // bytes past n before it decides to store the piece.
    static constexpr std::size_t kSpare = 16;
    static constexpr std::size_t kBufferSize = kPieceSize + kSpare;
    static constexpr std::uint8_t kStoredFlag = 0x80;
    static constexpr std::uint8_t kCompressedFlag = 0x40;

    // Throws ELzrw1KHCompressor("LZRW1KH : no memory for HASH table").
    TLZR();

    // Codes src (at most kPieceSize bytes) into dst, which must hold at least
    // src.size() + kSpare bytes. Returns the coded length, at most n + 1.
    std::size_t encode(std::span<const std::uint8_t> src, std::span<std::uint8_t> dst);

    // Decodes one block into dst (at least kPieceSize bytes; more room lets
    // the decoder use wider copies). Returns the piece length. Any block that
    // would read or write outside its buffers raises ELzrw1KHCompressor.
    std::size_t decode(std::span<const std::uint8_t> block, std::span<std::uint8_t> dst) const;

private:
    std::vector<std::int16_t> hash_;
};

} // namespace glypharo
