#include "net/TSockStream.h"

#include "net/TSock.h"

#include <algorithm>
#include <cstring>

namespace glypharo {

int TSockStream::Read(char* buffer, int count)
{
    if (count <= 0)
        return 0;
    const QByteArray text = sock_.Receive(count);
    // Receive never returns more than asked; the clamp keeps the caller's
    // buffer safe whatever it returns.
    const int length = static_cast<int>(std::min<qsizetype>(text.size(), count));
    std::memcpy(buffer, text.constData(), static_cast<std::size_t>(length));
    return length;
}

int TSockStream::Write(const char* buffer, int count)
{
    if (count <= 0)
        return 0;
    sock_.Send(QByteArray(buffer, count));
    return count;
}

int TSockStream::Seek(int /*offset*/, int /*origin*/)
{
    return 0;
}

} // namespace glypharo
