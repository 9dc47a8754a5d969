#include "app/WaveClip.h"

#include <gtest/gtest.h>

#include <QtEndian>

using namespace glypharo;

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray wave(quint16 format, quint16 channels, quint32 rate, quint16 bits, const QByteArray& data,
    const QByteArray& extraChunk = {})
{
    QByteArray fmt = le16(format) + le16(channels) + le32(rate) + le32(rate * channels * bits / 8)
        + le16(static_cast<quint16>(channels * bits / 8)) + le16(bits);
    QByteArray body = "WAVE" + QByteArray("fmt ") + le32(16) + fmt + extraChunk + "data"
        + le32(static_cast<quint32>(data.size())) + data;
    return "RIFF" + le32(static_cast<quint32>(body.size())) + body;
}

} // namespace

TEST(WaveClip, ReadsIntegerPcmAndRefusesTheRest)
{
    const QByteArray samples("\x01\x02\x03\x04", 4);
    // An odd-sized chunk before the data is padded to a word.
    const QByteArray list = "LIST" + le32(3) + QByteArray("abc") + QByteArray(1, '\0');
    struct Case {
        const char* what;
        QByteArray file;
        bool ok;
    };
    const Case cases[] = {
        {"16-bit mono", wave(1, 1, 22050, 16, samples), true},
        {"8-bit stereo", wave(1, 2, 11025, 8, samples), true},
        {"with a padded chunk", wave(1, 1, 22050, 16, samples, list), true},
        {"float samples", wave(3, 1, 22050, 32, samples), false},
        {"24-bit", wave(1, 1, 22050, 24, samples), false},
        {"no samples", wave(1, 1, 22050, 16, {}), false},
        {"absurd rate", wave(1, 1, 7, 16, samples), false},
        {"not RIFF", QByteArray("RIFX") + wave(1, 1, 22050, 16, samples).mid(4), false},
        {"cut short", wave(1, 1, 22050, 16, samples).left(40), false},
        {"empty", QByteArray(), false},
    };
    for (const auto& c : cases) {
        auto clip = parseWave(c.file);
        EXPECT_EQ(clip.has_value(), c.ok) << c.what;
        if (clip) {
            EXPECT_EQ(clip->samples, samples) << c.what;
        }
    }
}
