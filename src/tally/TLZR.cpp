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

} // namespace

TLZR::TLZR()
{
    try {
        hash_.resize(kHashSize);
    } catch (const std::bad_alloc&) {
        throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
    }
}

// One probe of the hash table at x; the table always remembers x afterwards.
// Positions closer than 3 bytes to the end can never start a match, so they
// are not hashed at all (that also keeps every read inside the piece).
bool TLZR::findMatch(
    const std::uint8_t* src, std::size_t x, std::size_t n, std::size_t& distance, std::size_t& length)
{
    if (x + kMinMatch > n) {
        return false;
    }
    std::int16_t& slot = hash_[hashAt(src + x)];
    const std::int16_t p = slot;
    slot = static_cast<std::int16_t>(x);
    if (p < 0 || x - std::size_t(p) > kMaxDistance) {
        return false;
    }
    const std::size_t m = commonLength(src + x, src + p, std::min(kMaxMatch, n - x));
    if (m < kMinMatch) {
        return false;
    }
    distance = x - std::size_t(p);
    length = m;
    return true;
}

std::size_t TLZR::encode(std::span<const std::uint8_t> source, std::span<std::uint8_t> dest)
{
    const std::size_t n = source.size();
    if (n > kPieceSize || dest.size() < n + kSpare) {
        throw ELzrw1KHCompressor("LZRW1KH : piece or buffer of the wrong size");
    }
    const std::uint8_t* src = source.data();
    std::uint8_t* dst = dest.data();
    std::fill(hash_.begin(), hash_.end(), std::int16_t(-1));

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
        } else if (findMatch(src, x, n, distance, length)) {
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
        std::memcpy(dst + 1, src, n);
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
    // Wide copies may write up to 32 bytes from y; they are used only where
    // the buffer has that room, the bytes past the item are overwritten later.
    const std::size_t room = dest.size();
    std::size_t x = 3;
    std::size_t y = 0;
    std::uint32_t control = (std::uint32_t(src[1]) << 8) | src[2];
    unsigned bitsLeft = 16;
    while (x < len) {
        if (bitsLeft == 0) {
            if (x + 1 >= len) {
                corrupt("control word cut short");
            }
            control = (std::uint32_t(src[x]) << 8) | src[x + 1];
            x += 2;
            bitsLeft = 16;
            if (control == 0 && x + 16 <= len && y + 16 <= kPieceSize) {
                std::memcpy(dst + y, src + x, 16);
                x += 16;
                y += 16;
                bitsLeft = 0;
                continue;
            }
            if (x >= len) {
                corrupt("control word without items");
            }
        }
        if ((control & 0xFF00) == 0 && bitsLeft >= 8 && x + 8 <= len && y + 8 <= kPieceSize) {
            std::memcpy(dst + y, src + x, 8);
            x += 8;
            y += 8;
            control = (control << 8) & 0xFFFF;
            bitsLeft -= 8;
            continue;
        }
        if ((control & 0x8000) == 0) {
            if (y >= kPieceSize) {
                corrupt("piece longer than 32768 bytes");
            }
            dst[y++] = src[x++];
        } else {
            if (x + 1 >= len) {
                corrupt("item cut short");
            }
            const std::size_t d = std::size_t(src[x]) * 16 + (src[x + 1] >> 4);
            if (d == 0) {
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
            } else {
                const std::size_t count = (src[x + 1] & 15) + kMinMatch;
                if (d > y) {
                    corrupt("copy reaches before the start of the piece");
                }
                if (y + count > kPieceSize) {
                    corrupt("piece longer than 32768 bytes");
                }
                const std::uint8_t* from = dst + y - d;
                std::uint8_t* to = dst + y;
                if (d >= 16 && y + 32 <= room) {
                    std::memcpy(to, from, 16);
                    if (count > 16) {
                        std::memcpy(to + 16, from + 16, 16);
                    }
                } else if (d >= 8 && y + 24 <= room) {
                    std::memcpy(to, from, 8);
                    std::memcpy(to + 8, from + 8, 8);
                    if (count > 16) {
                        std::memcpy(to + 16, from + 16, 8);
                    }
                } else {
                    for (std::size_t i = 0; i < count; ++i) {
                        to[i] = from[i];
                    }
                }
                y += count;
                x += 2;
            }
        }
        control = (control << 1) & 0xFFFF;
        --bitsLeft;
    }
    return y;
}

} // namespace glypharo
