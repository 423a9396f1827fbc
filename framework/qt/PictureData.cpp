#include "framework/qt/PictureData.h"

#include "framework/qt/PictureBridge.h"

#include <algorithm>

namespace {

std::uint64_t lastVersion = 0;

// The colour a pixel keeps in a picture of the given depth.
QRgb Reduced(QRgb pixel, int depth)
{
    const int r = qRed(pixel);
    const int g = qGreen(pixel);
    const int b = qBlue(pixel);
    switch (depth) {
    case 1:
        // Brightness (the largest channel) at 0.5 and above is white.
        return std::max({r, g, b}) >= 128 ? 0xFFFFFFFFu : 0xFF000000u;
    case 8: {
        // A 6 x 6 x 6 colour cube.
        auto level = [](int c) { return (c + 25) / 51 * 51; };
        return qRgb(level(r), level(g), level(b));
    }
    case 16: {
        auto bits = [](int c, int max) { return ((c * max + 127) / 255 * 255 + max / 2) / max; };
        return qRgb(bits(r, 31), bits(g, 63), bits(b, 31));
    }
    default:
        return pixel | 0xFF000000u;
    }
}

// Brightness of a mask pixel as opacity: black 255, white 0.
int Opacity(QRgb maskPixel)
{
    return 255 - qGray(maskPixel);
}

QRgb Premultiplied(QRgb pixel, int alpha)
{
    auto mul = [alpha](int c) { return (c * alpha + 127) / 255; };
    return qRgba(mul(qRed(pixel)), mul(qGreen(pixel)), mul(qBlue(pixel)), alpha);
}

} // namespace

PictureData::PictureData(const QImage& image, int depth)
    : itsImage(image.convertToFormat(QImage::Format_RGB32)), itsDepth(depth)
{
    Changed(itsImage.rect());
}

void PictureData::Changed(const QRect& rect)
{
    const QRect area = rect.intersected(itsImage.rect());
    if (itsDepth < 24) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(itsImage.scanLine(y));
            for (int x = area.left(); x <= area.right(); ++x) {
                line[x] = Reduced(line[x], itsDepth);
            }
        }
    }
    Touch();
}

void PictureData::SetMask(std::shared_ptr<Picture> mask)
{
    itsMask = std::move(mask);
    Touch();
}

void PictureData::SetTransparent(int transparent)
{
    if (transparent != itsTransparent) {
        itsTransparent = transparent;
        Touch();
    }
}

Color PictureData::Pixel(int x, int y) const
{
    if (!itsImage.rect().contains(x, y)) {
        return Color();
    }
    const QRgb pixel = reinterpret_cast<const QRgb*>(itsImage.constScanLine(y))[x];
    return Color(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

void PictureData::SetPixel(int x, int y, Color color)
{
    if (itsImage.rect().contains(x, y)) {
        reinterpret_cast<QRgb*>(itsImage.scanLine(y))[x] = qRgb(color.Red, color.Green, color.Blue);
        Changed(QRect(x, y, 1, 1));
    }
}

bool PictureData::IsOpaque() const
{
    return !itsMask && itsTransparent != 1;
}

const QImage& PictureData::Drawable() const
{
    if (IsOpaque()) {
        return itsImage;
    }
    const std::uint64_t maskVersion = MaskVersion();
    if (itsDrawable.isNull() || itsDrawableVersion != itsVersion || itsDrawableMaskVersion != maskVersion) {
        MakeDrawable();
        itsDrawableVersion = itsVersion;
        itsDrawableMaskVersion = maskVersion;
    }
    return itsDrawable;
}

void PictureData::MakeDrawable() const
{
    const QImage* mask = itsMask ? &PictureBridge::Image(*itsMask) : nullptr;
    itsDrawable = QImage(itsImage.size(), QImage::Format_ARGB32_Premultiplied);
    itsSpans.clear();
    itsRowStarts.assign(1, 0);
    for (int y = 0; y < itsImage.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(itsImage.constScanLine(y));
        const bool maskRow = mask && y < mask->height();
        const auto* maskLine = maskRow ? reinterpret_cast<const QRgb*>(mask->constScanLine(y)) : nullptr;
        auto* target = reinterpret_cast<QRgb*>(itsDrawable.scanLine(y));
        for (int x = 0; x < itsImage.width(); ++x) {
            const QRgb pixel = source[x] | 0xFF000000u;
            int alpha = maskLine && x < mask->width() ? Opacity(maskLine[x]) : 255;
            if (itsTransparent == 1 && pixel == 0xFFFFFFFFu) {
                alpha = 0;
            }
            target[x] = alpha == 255 ? pixel : Premultiplied(pixel, alpha);
            if (alpha == 0) {
                continue;
            }
            const bool opaque = alpha == 255;
            const bool extends = itsSpans.size() > std::size_t(itsRowStarts.back()) &&
                                 itsSpans.back().opaque == opaque &&
                                 itsSpans.back().start + itsSpans.back().length == x;
            if (extends) {
                ++itsSpans.back().length;
            } else {
                itsSpans.push_back({x, 1, opaque});
            }
        }
        itsRowStarts.push_back(static_cast<int>(itsSpans.size()));
    }
}

void PictureData::Touch()
{
    itsVersion = ++lastVersion;
}

std::uint64_t PictureData::MaskVersion() const
{
    return itsMask ? PictureBridge::Data(*itsMask)->Version() : 0;
}
