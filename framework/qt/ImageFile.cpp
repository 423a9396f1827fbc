#include "framework/qt/ImageFile.h"

#include "framework/MediaFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <array>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::string_view PngSignature("\x89PNG\r\n\x1a\n", 8);

constexpr std::array<std::uint32_t, 256> CrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}();

std::uint32_t Crc(std::string_view bytes)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        c = CrcTable[(c ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t Big32(std::string_view bytes, std::size_t at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
}

// PNG's chunks all there, each with its checksum right, up to the closing IEND. The library
// behind the toolkit's PNG reader writes each error it meets straight to standard error, and a
// broken picture is looked for at every tick; a broken PNG is told apart here, quietly.
bool IsWholePng(std::string_view bytes)
{
    std::size_t at = PngSignature.size();
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = Big32(bytes, at);
        if (length > bytes.size() - at - 12) {
            return false;
        }
        const std::string_view typeAndData = bytes.substr(at + 4, 4 + length);
        if (Crc(typeAndData) != Big32(bytes, at + 8 + length)) {
            return false;
        }
        if (typeAndData.substr(0, 4) == "IEND") {
            return true;
        }
        at += 12 + length;
    }
    return false;
}

} // namespace

QImage ImageFile::Read(const String& path, QSize largest)
{
    const auto bytes = MediaFile::Read(path);
    if (!bytes || (bytes->starts_with(PngSignature) && !IsWholePng(*bytes))) {
        return QImage();
    }
    QByteArray data = QByteArray::fromRawData(bytes->data(), qsizetype(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The size comes from the file's header; a picture too large for the game is refused before
    // any memory is taken for its pixels.
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > MaxPixels ||
        (largest.isValid() && (size.width() > largest.width() || size.height() > largest.height()))) {
        return QImage();
    }
    return reader.read();
}
