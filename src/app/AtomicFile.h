#pragma once

#include <string>
#include <string_view>

namespace glypharo {

// Writes `data` to a uniquely named scratch file in the target's folder,
// flushes it to disk and renames it over `path`. A crash or a full disk
// leaves the previous file untouched. Returns false on any failure (the
// scratch file is removed).
bool writeFileAtomically(const std::string& path, std::string_view data);

} // namespace glypharo
