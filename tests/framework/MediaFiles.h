#pragma once
// Bytes of small media files for tests: a valid WAV and a PNG.

#include <QBuffer>
#include <QImage>

#include <cstdint>
#include <string>

namespace MediaFiles {

inline void Append32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        s += static_cast<char>(v >> (8 * i));
    }
}

inline void Append16(std::string& s, std::uint16_t v)
{
    s += static_cast<char>(v);
    s += static_cast<char>(v >> 8);
}

// Mono 16-bit PCM at 22050 Hz, samples of silence.
inline std::string Wav(std::uint32_t samples = 2205)
{
    std::string s = "RIFF";
    Append32(s, 36 + samples * 2);
    s += "WAVEfmt ";
    Append32(s, 16);
    Append16(s, 1);
    Append16(s, 1);
    Append32(s, 22050);
    Append32(s, 44100);
    Append16(s, 2);
    Append16(s, 16);
    s += "data";
    Append32(s, samples * 2);
    s += std::string(samples * 2, '\0');
    return s;
}

inline std::string Png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

} // namespace MediaFiles
