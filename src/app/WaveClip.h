#pragma once

#include <QByteArray>

#include <optional>

namespace glypharo {

// A PCM wave file's sound: its format and its sample bytes.
struct WaveClip {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples;
};

// Reads a RIFF/WAVE file of 8- or 16-bit integer PCM; anything else, or a
// damaged file, is nullopt.
std::optional<WaveClip> parseWave(const QByteArray& file);

} // namespace glypharo
