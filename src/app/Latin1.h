#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace glypharo {

// Every text of the game is a single-byte string; on screen each byte is the
// Latin-1 character of the same number.
inline QString qs(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string ss(const QString& s)
{
    QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

} // namespace glypharo
