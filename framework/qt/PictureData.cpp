#include "framework/qt/PictureData.h"

#include "framework/qt/PictureBridge.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

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

// The rows of the drawable form are made with straight alpha and premultiplied by Qt after.
// The loops are free of branches and calls so that the compiler vectorises them; key is the
// colour left out (0 for none: no opaque pixel is 0). Masks change at every frame of a fade,
// so the masked loop is also built for AVX2, taken where the processor has it.
#if defined(__GNUC__) && defined(__x86_64__)
#define ALSO_FOR_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define ALSO_FOR_AVX2
#endif

// The mask's brightness inverted (255 - qGray) as alpha: black opaque, white transparent.
ALSO_FOR_AVX2 void MaskedRow(QRgb* to, const QRgb* from, const QRgb* mask, int count, QRgb key)
{
    for (int x = 0; x < count; ++x) {
        const QRgb pixel = from[x] | 0xFF000000u;
        const QRgb m = mask[x];
        // Red * 11 + blue * 5 come out in the upper half of one product; green * 16 is added.
        const QRgb redBlue = ((m & 0xFF00FFu) * 0x5000Bu) >> 16;
        const QRgb gray = (redBlue + ((m >> 4) & 0xFF0u)) >> 5;
        const QRgb alpha = pixel == key ? 0 : 255 - gray;
        to[x] = (pixel & 0xFFFFFFu) | alpha << 24;
    }
}

void UnmaskedRow(QRgb* to, const QRgb* from, int count, QRgb key)
{
    for (int x = 0; x < count; ++x) {
        const QRgb pixel = from[x] | 0xFF000000u;
        to[x] = pixel == key ? pixel & 0xFFFFFFu : pixel;
    }
}

// Copies sourceRect of a drawable form without partly transparent pixels into target, unscaled,
// with its top left at at; fully transparent pixels are left out. For the many small pictures of
// a frame this costs far less than setting up a painter. Returns the changed area.
QRect Copy(QImage& target, QPoint at, const QImage& source, bool opaque, QRect sourceRect)
{
    const QPoint shift = at - sourceRect.topLeft();
    const QRect area = sourceRect.intersected(source.rect()).translated(shift).intersected(target.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        // Source pixel x lands on target pixel x + shift.x().
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y)) + area.left();
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - shift.y())) + area.left() -
                           shift.x();
        if (opaque) {
            std::memcpy(to, from, area.width() * sizeof(QRgb));
            continue;
        }
        for (int x = 0; x < area.width(); ++x) {
            to[x] = qAlpha(from[x]) != 0 ? from[x] : to[x];
        }
    }
    return area;
}

} // namespace

PictureData::PictureData(const QImage& image, int depth)
    : itsImage(image.convertToFormat(QImage::Format_RGB32)), itsDepth(depth)
{
    Changed(itsImage.rect());
}

void PictureData::Changed(const QRect& rect)
{
    itsFrame.clear();
    Reduce(rect);
    Touch();
}

void PictureData::DrawFrom(const PictureData& source, const QRect& dest, const QRect& sourceRect, bool smooth)
{
    const bool scaled = dest.size() != sourceRect.size();
    if (&source == this) {
        // Read from a copy of itself.
        Apply({{0, 0, dest, sourceRect, smooth && scaled}, Drawable().copy(), IsOpaque(), HasPartialAlpha()});
        itsFrame.clear();
        Touch();
        return;
    }
    Draw draw{{source.Version(), source.MaskVersion(), dest, sourceRect, smooth && scaled},
              source.Drawable(),
              source.IsOpaque(),
              source.HasPartialAlpha()};
    const bool coversAll = draw.opaque && !scaled && source.Size().width() > 0 &&
                           QRect(QPoint(0, 0), source.Size()).contains(sourceRect) &&
                           dest.contains(itsImage.rect());
    if (coversAll) {
        // Nothing of what the picture held shows through: a frame begins.
        itsHeldBack.clear();
        if (!itsFrame.empty() && itsFrame.front() == draw.record) {
            itsHeldBack.push_back(std::move(draw));
            return;
        }
        Apply(draw);
        itsFrame.assign(1, draw.record);
        Touch();
        return;
    }
    if (!itsHeldBack.empty()) {
        const std::size_t next = itsHeldBack.size();
        if (next < itsFrame.size() && itsFrame[next] == draw.record) {
            itsHeldBack.push_back(std::move(draw));
            return;
        }
        SettleHeldBack();
    }
    Apply(draw);
    if (!itsFrame.empty()) {
        itsFrame.push_back(draw.record);
    }
    Touch();
}

void PictureData::SettleHeldBack()
{
    std::vector<Draw> heldBack;
    heldBack.swap(itsHeldBack);
    if (heldBack.size() == itsFrame.size()) {
        return; // the same frame as the pixels show
    }
    // A frame that stopped short of the last one: its draws so far, from its opaque copy on.
    itsFrame.clear();
    for (const Draw& draw : heldBack) {
        Apply(draw);
        itsFrame.push_back(draw.record);
    }
    Touch();
}

void PictureData::Apply(const Draw& draw)
{
    const QRect& dest = draw.record.dest;
    const QRect& source = draw.record.source;
    QRect changed = dest;
    if (dest.size() == source.size() && !draw.partialAlpha) {
        changed = Copy(itsImage, dest.topLeft(), draw.drawable, draw.opaque, source);
    } else {
        QPainter painter(&itsImage);
        // Smoothing is asked for only where pixels are scaled: with it Qt leaves its fast path
        // for unscaled images.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, draw.record.smooth);
        painter.drawImage(dest, draw.drawable, source);
    }
    Reduce(changed);
}

void PictureData::Reduce(const QRect& rect)
{
    if (itsDepth >= 24) {
        return;
    }
    const QRect area = rect.intersected(itsImage.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(itsImage.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            line[x] = Reduced(line[x], itsDepth);
        }
    }
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
    Settle();
    if (!itsImage.rect().contains(x, y)) {
        return Color();
    }
    const QRgb pixel = reinterpret_cast<const QRgb*>(itsImage.constScanLine(y))[x];
    return Color(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

void PictureData::SetPixel(int x, int y, Color color)
{
    Settle();
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
    Settle();
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
    const int width = itsImage.width();
    const int maskWidth = mask ? std::min(width, mask->width()) : 0;
    const int maskHeight = mask ? mask->height() : 0;
    const QRgb key = itsTransparent == 1 ? 0xFFFFFFFFu : 0u;
    // The buffer is reused from one change to the next.
    if (itsDrawable.size() == itsImage.size()) {
        itsDrawable.reinterpretAsFormat(QImage::Format_ARGB32);
    } else {
        itsDrawable = QImage(itsImage.size(), QImage::Format_ARGB32);
    }
    if (itsDrawable.isNull()) {
        return; // no memory: the picture draws nothing, and is tried again next time
    }
    uchar* const targetBits = itsDrawable.bits();
    const qsizetype targetStride = itsDrawable.bytesPerLine();
    for (int y = 0; y < itsImage.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(itsImage.constScanLine(y));
        auto* target = reinterpret_cast<QRgb*>(targetBits + y * targetStride);
        const int masked = y < maskHeight ? maskWidth : 0;
        if (masked > 0) {
            MaskedRow(target, source, reinterpret_cast<const QRgb*>(mask->constScanLine(y)), masked, key);
        }
        UnmaskedRow(target + masked, source + masked, width - masked, key);
    }
    itsDrawable.convertTo(QImage::Format_ARGB32_Premultiplied);
}

void PictureData::Touch()
{
    itsVersion = ++lastVersion;
}

std::uint64_t PictureData::MaskVersion() const
{
    return itsMask ? PictureBridge::Data(*itsMask)->Version() : 0;
}
