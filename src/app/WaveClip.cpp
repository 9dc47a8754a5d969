#include "app/WaveClip.h"

#include <QtEndian>

namespace glypharo {

namespace {
quint32 le32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}
quint16 le16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}
} // namespace

std::optional<WaveClip> parseWave(const QByteArray& file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveClip clip;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const char* head = file.constData() + at;
        const QByteArray id(head, 4);
        const quint32 size = le32(head + 4);
        const qsizetype body = at + 8;
        if (size > static_cast<quint32>(file.size() - body))
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16)
                return std::nullopt;
            const char* f = file.constData() + body;
            if (le16(f) != 1) // integer PCM only
                return std::nullopt;
            clip.channels = le16(f + 2);
            clip.sampleRate = static_cast<int>(le32(f + 4));
            clip.bitsPerSample = le16(f + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            clip.samples = file.mid(body, static_cast<qsizetype>(size));
            break;
        }
        at = body + static_cast<qsizetype>(size) + (size & 1); // chunks are word-aligned
    }
    const bool sane = haveFormat && clip.channels >= 1 && clip.channels <= 2 && clip.sampleRate >= 1000
        && clip.sampleRate <= 192000 && (clip.bitsPerSample == 8 || clip.bitsPerSample == 16);
    if (!sane || clip.samples.isEmpty())
        return std::nullopt;
    return clip;
}

} // namespace glypharo
