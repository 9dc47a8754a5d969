#pragma once

#include "tally/TallyTable.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>

namespace glypharo {

// The tally file "Glypharotally.tld" in a given folder: the table's text,
// compressed with the fast method.
//
// Saving compresses in memory into a new scratch file with a unique name in
// the same folder and renames it over the tally only after every byte is
// written and flushed, so a crash, a full disk or an error keeps the previous
// tally. Loading reads the file into memory; no plain-text file is written.
class TallyFile {
public:
    static constexpr const char* kFileName = "Glypharotally.tld";
    static constexpr const char* kBadSuffix = ".bad";

    // Writes the bytes into the open scratch file; false on failure. The
    // default writes them all with fwrite; tests inject failures here.
    using Writer = std::function<bool(std::FILE*, std::span<const std::uint8_t>)>;

    explicit TallyFile(std::filesystem::path folder);

    std::filesystem::path path() const { return folder_ / kFileName; }
    std::filesystem::path badPath() const;
    bool exists() const;

    // Throws the decompressor's or the table reader's exception.
    TallyTable read() const;
    // False on any failure; the previous file is then left as it was.
    bool write(const TallyTable& table) const;
    // Keeps an unreadable tally beside under the ".bad" name so it can be
    // recovered by hand; false when it could not be kept.
    bool keepAside() const;

    void setWriter(Writer writer) { writer_ = std::move(writer); }

private:
    std::filesystem::path folder_;
    Writer writer_;
};

} // namespace glypharo
