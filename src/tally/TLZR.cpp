#include "tally/TLZR.h"

#include "tally/Lzrw1Exceptions.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace glypharo {

namespace {

constexpr std::size_t kHashSize = 4096;
constexpr std::size_t kMaxDistance = 4095;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxRun = 4095;

[[noreturn]] void corrupt(const char* what)
{
    throw ELzrw1KHCompressor(std::string("LZRW1KH : corrupt compressed block : ") + what);
}

inline std::uint64_t load64(const std::uint8_t* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline std::size_t hashAt(const std::uint8_t* p)
{
    std::uint32_t h = ((((std::uint32_t(p[0]) << 4) ^ p[1]) << 4) ^ p[2]);
    return ((40543u * h) >> 4) & (kHashSize - 1);
}

// Length of the common prefix of a and b, at most limit bytes.
inline std::size_t commonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit)
{
    std::size_t m = 0;
    while (m + 8 <= limit) {
        std::uint64_t diff = load64(a + m) ^ load64(b + m);
        if (diff != 0) {
            if constexpr (std::endian::native == std::endian::little) {
                return m + std::size_t(std::countr_zero(diff) / 8);
            }
            break;
        }
        m += 8;
    }
    while (m < limit && a[m] == b[m]) {
        ++m;
    }
    return m;
}

// One probe of the hash table at x; the table always remembers x afterwards.
// Returns the match length (0 for none). Positions closer than 3 bytes to
// the end can never start a match, so they are not hashed at all (that also
// keeps every read inside the piece).
inline std::size_t findMatch(
    std::int16_t* table, const std::uint8_t* src, std::size_t x, std::size_t n, std::size_t& distance)
{
    if (x + kMinMatch > n) {
        return 0;
    }
    std::int16_t& slot = table[hashAt(src + x)];
    const std::int16_t p = slot;
    slot = static_cast<std::int16_t>(x);
    if (p < 0 || x - std::size_t(p) > kMaxDistance) {
        return 0;
    }
    const std::size_t m = commonLength(src + x, src + p, std::min(kMaxMatch, n - x));
    distance = x - std::size_t(p);
    return m >= kMinMatch ? m : 0;
}

// Repeats `count` bytes from `distance` back, as if one byte at a time from
// left to right. With `wide` the caller guarantees 32 writable bytes at to.
inline void copyItem(std::uint8_t* to, std::size_t distance, std::size_t count, bool wide)
{
    const std::uint8_t* from = to - distance;
    // The 18-byte copies are unconditional: cheaper than a branch on the
    // length, and the bytes past `count` are overwritten later.
    if (wide && distance >= 16) {
        std::memcpy(to, from, 16);
        std::memcpy(to + 16, from + 16, 2);
    } else if (wide && distance >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + 8, from + 8, 8);
        std::memcpy(to + 16, from + 16, 2);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = from[i];
        }
    }
}

} // namespace

TLZR::TLZR()
{
    try {
        hash_.resize(kHashSize);
    } catch (const std::bad_alloc&) {
        throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
    }
}

std::size_t TLZR::encode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest)
{
    const std::size_t n = source.size();
    if (n > kPieceSize || dest.size() < n + kSpare) {
        throw ELzrw1KHCompressor("LZRW1KH : piece or buffer of the wrong size");
    }
    const std::uint8_t* src = source.data();
    std::uint8_t* dst = dest.data();
    // A local pointer: stores through dst (bytes) could otherwise alias the
    // vector's own pointer and force a reload on every item.
    std::int16_t* const table = hash_.data();
    std::fill(table, table + kHashSize, std::int16_t(-1));

    dst[0] = kCompressedFlag;
    std::size_t x = 0;
    std::size_t y = 3;
    std::size_t z = 1;
    unsigned bits = 0;
    std::uint32_t control = 0;
    while (x < n && y <= n) {
        if (bits > 15) {
            dst[z] = std::uint8_t(control >> 8);
            dst[z + 1] = std::uint8_t(control);
            z = y;
            y += 2;
            bits = 0;
        }
        const std::uint8_t c = src[x];
        std::size_t size = 1;
        if (x + 1 < n && src[x + 1] == c) {
            const std::size_t limit = std::min(kMaxRun, n - x);
            while (size < limit && src[x + size] == c) {
                ++size;
            }
        }
        std::size_t distance = 0;
        std::size_t length = 0;
        if (size >= kMinRun) {
            const std::size_t count = size - kMinRun;
            dst[y] = 0;
            dst[y + 1] = std::uint8_t(count >> 8);
            dst[y + 2] = std::uint8_t(count);
            dst[y + 3] = c;
            y += 4;
            x += size;
            control = (control << 1) | 1;
        } else if ((length = findMatch(table, src, x, n, distance)) != 0) {
            const std::size_t key = distance * 16 + (length - kMinMatch);
            dst[y] = std::uint8_t(key >> 8);
            dst[y + 1] = std::uint8_t(key);
            y += 2;
            x += length;
            control = (control << 1) | 1;
        } else {
            dst[y] = c;
            y += 1;
            x += 1;
            control <<= 1;
        }
        ++bits;
    }
    control = (control << (16 - bits)) & 0xFFFF;
    dst[z] = std::uint8_t(control >> 8);
    dst[z + 1] = std::uint8_t(control);
    if (y > n) {
        if (n > 0) {
            std::memcpy(dst + 1, src, n);
        }
        dst[0] = kStoredFlag;
        y = n + 1;
    }
    return y;
}

std::size_t TLZR::decode(std::span<const std::uint8_t> block, std::span<std::uint8_t> dest) const
{
    const std::size_t len = block.size();
    if (dest.size() < kPieceSize) {
        throw ELzrw1KHCompressor("LZRW1KH : output buffer too small");
    }
    if (len <= 1) {
        return 0;
    }
    const std::uint8_t* src = block.data();
    std::uint8_t* dst = dest.data();
    if (src[0] == kStoredFlag) {
        if (len - 1 > kPieceSize) {
            corrupt("stored piece longer than 32768 bytes");
        }
        std::memcpy(dst, src + 1, len - 1);
        return len - 1;
    }
    if (len < 3) {
        corrupt("control word cut short");
    }
    // The control bits sit at the top of `bits`, followed by a marker bit:
    // the count of leading zeros is the number of literals before the next
    // copy or run item, and `bits == kGroupDone` once the group is used up.
    constexpr std::uint32_t kGroupDone = 0x80000000u;
    const auto group = [](std::uint8_t high, std::uint8_t low) {
        return (std::uint32_t(high) << 24) | (std::uint32_t(low) << 16) | 0x8000u;
    };
    // Wide copies write up to 16 bytes past a literal run and 18 bytes for a
    // copy item; they are used only where the buffer has that room, and the
    // bytes past the item are overwritten later.
    const std::size_t room = dest.size();
    const std::size_t fastY = std::min(kPieceSize, room - kSpare) - 34;
    std::size_t x = 3;
    std::size_t y = 0;
    std::uint32_t bits = group(src[1], src[2]);
    while (x < len) {
        // While at least 40 block bytes and 50 bytes of room are left, one
        // step (a control word, up to 16 literals and one item) cannot leave
        // the buffers: only the copy distance and runs need checking.
        while (x + 40 <= len && y <= fastY) {
            if (bits == kGroupDone) {
                bits = group(src[x], src[x + 1]);
                x += 2;
            }
            const unsigned literals = static_cast<unsigned>(std::countl_zero(bits));
            std::memcpy(dst + y, src + x, 16);
            x += literals;
            y += literals;
            bits <<= literals;
            if (bits == kGroupDone) {
                continue;
            }
            const std::size_t key = (std::size_t(src[x]) << 8) | src[x + 1];
            const std::size_t d = key >> 4;
            if (d - 1 < y) [[likely]] {
                const std::size_t count = (key & 15) + kMinMatch;
                copyItem(dst + y, d, count, true);
                y += count;
                x += 2;
            } else if (d == 0) {
                const std::size_t count = std::size_t(src[x + 1]) * 256 + src[x + 2] + kMinRun;
                if (y + count > kPieceSize) {
                    corrupt("piece longer than 32768 bytes");
                }
                std::memset(dst + y, src[x + 3], count);
                y += count;
                x += 4;
            } else {
                corrupt("copy reaches before the start of the piece");
            }
            bits <<= 1;
        }
        if (x >= len) {
            break;
        }
        if (bits == kGroupDone) {
            if (x + 1 >= len) {
                corrupt("control word cut short");
            }
            bits = group(src[x], src[x + 1]);
            x += 2;
            if (x >= len) {
                corrupt("control word without items");
            }
        }
        // Padding bits of the last group also read as literals; the end of
        // the block cuts them off.
        std::size_t literals = static_cast<std::size_t>(std::countl_zero(bits));
        if (x + 16 <= len && y + 16 <= room && y + literals <= kPieceSize) {
            std::memcpy(dst + y, src + x, 16);
        } else {
            literals = std::min(literals, len - x);
            if (y + literals > kPieceSize) {
                corrupt("piece longer than 32768 bytes");
            }
            std::memcpy(dst + y, src + x, literals);
        }
        x += literals;
        y += literals;
        bits <<= literals;
        if (bits == kGroupDone || x >= len) {
            continue;
        }
        if (x + 1 >= len) {
            corrupt("item cut short");
        }
        const std::size_t d = std::size_t(src[x]) * 16 + (src[x + 1] >> 4);
        if (d != 0) {
            const std::size_t count = (src[x + 1] & 15) + kMinMatch;
            if (d > y) {
                corrupt("copy reaches before the start of the piece");
            }
            if (y + count > kPieceSize) {
                corrupt("piece longer than 32768 bytes");
            }
            copyItem(dst + y, d, count, y + 32 <= room);
            y += count;
            x += 2;
        } else {
            if (x + 3 >= len) {
                corrupt("run item cut short");
            }
            const std::size_t count = std::size_t(src[x + 1]) * 256 + src[x + 2] + kMinRun;
            if (y + count > kPieceSize) {
                corrupt("piece longer than 32768 bytes");
            }
            std::memset(dst + y, src[x + 3], count);
            y += count;
            x += 4;
        }
        bits <<= 1;
    }
    return y;
}

} // namespace glypharo
