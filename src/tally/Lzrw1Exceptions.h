#pragma once

#include <stdexcept>
#include <string>

namespace glypharo {

// Container errors of the file compressor (opening, reading, writing files,
// bad headers, sizes that do not add up).
class ELzrw1Exception : public std::runtime_error {
public:
    explicit ELzrw1Exception(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

// Errors of the LZRW1/KH block coder itself (no hash table, corrupt block).
class ELzrw1KHCompressor : public std::runtime_error {
public:
    explicit ELzrw1KHCompressor(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

} // namespace glypharo
