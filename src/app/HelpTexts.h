#pragma once

#include <QString>

namespace glypharo {

// Caption and body of help page `page` (1..8).
QString helpCaption(int page);
QString helpText(int page);

} // namespace glypharo
