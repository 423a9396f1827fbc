#include "framework/Graphics.h"

#include "framework/Picture.h"
#include "framework/qt/DrawTarget.h"
#include "framework/qt/PictureBridge.h"
#include "framework/qt/PictureData.h"

#include <algorithm>
#include <cstring>

namespace {

QColor ToQColor(Color c)
{
    return QColor(c.Red, c.Green, c.Blue);
}

// Copies source's rectangle sourceRect to target at at, unscaled: opaque pixels are
// copied, premultiplied ones blended over the target. Both rectangles are clipped.
QRect Blit(QImage& target, QPoint at, const QImage& source, QRect sourceRect)
{
    const QRect clippedSource = sourceRect.intersected(source.rect());
    const QPoint shift = at - sourceRect.topLeft();
    const QRect area = clippedSource.translated(shift).intersected(target.rect());
    if (area.isEmpty()) {
        return area;
    }
    const int width = area.width();
    const bool opaque = source.format() == QImage::Format_RGB32;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y)) + area.left();
        const auto* from =
            reinterpret_cast<const QRgb*>(source.constScanLine(y - shift.y())) + (area.left() - shift.x());
        if (opaque) {
            std::memcpy(to, from, width * sizeof(QRgb));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const QRgb s = from[x];
            const unsigned alpha = s >> 24;
            if (alpha == 255) {
                to[x] = s;
            } else if (alpha != 0) {
                const unsigned rest = 255 - alpha;
                const QRgb d = to[x];
                // Both red and blue, then green, at once: (c * rest) / 255, rounded.
                unsigned rb = (d & 0xFF00FF) * rest + 0x800080;
                rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
                unsigned g = (d & 0xFF00) * rest + 0x8000;
                g = ((g + ((g >> 8) & 0xFF00)) >> 8) & 0xFF00;
                to[x] = 0xFF000000u | ((s & 0xFFFFFF) + rb + g);
            }
        }
    }
    return area;
}

// Applies size's own-size stand-in.
Int32 Resolved(Int32 size, Int32 own)
{
    return size == OwnSize ? own : size;
}

} // namespace

Graphics::Graphics(std::unique_ptr<DrawTarget> target) : itsTarget(std::move(target)) {}

Graphics::~Graphics() = default;

Int32 Graphics::Width() const
{
    return itsTarget->picture ? itsTarget->picture->Image().width() : itsTarget->size.width();
}

Int32 Graphics::Height() const
{
    return itsTarget->picture ? itsTarget->picture->Image().height() : itsTarget->size.height();
}

void Graphics::FillRect(Int32 x, Int32 y, Int32 width, Int32 height)
{
    const QRect rect(x, y, width, height);
    if (rect.isEmpty()) {
        return;
    }
    if (!itsTarget->picture) {
        itsTarget->painter->fillRect(rect, ToQColor(ForeColor));
        return;
    }
    QImage& image = itsTarget->picture->Image();
    const QRect area = rect.intersected(image.rect());
    const QRgb color = qRgb(ForeColor.Red, ForeColor.Green, ForeColor.Blue);
    for (int row = area.top(); row <= area.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + area.left(), line + area.left() + area.width(), color);
    }
    itsTarget->picture->Changed(area);
}

void Graphics::FillOval(Int32 x, Int32 y, Int32 width, Int32 height)
{
    const QRect rect(x, y, width, height);
    if (rect.isEmpty()) {
        return;
    }
    auto fill = [&](QPainter& painter) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, !UseOldRenderer);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(ForeColor));
        painter.drawEllipse(QRectF(rect));
        painter.restore();
    };
    if (!itsTarget->picture) {
        fill(*itsTarget->painter);
        return;
    }
    {
        QPainter painter(&itsTarget->picture->Image());
        fill(painter);
    }
    itsTarget->picture->Changed(rect);
}

void Graphics::DrawPicture(const std::shared_ptr<Picture>& picture, Int32 x, Int32 y, Int32 destWidth,
                           Int32 destHeight, Int32 sourceX, Int32 sourceY, Int32 sourceWidth,
                           Int32 sourceHeight)
{
    if (!picture) {
        return;
    }
    const QRect dest(x, y, Resolved(destWidth, picture->Width()), Resolved(destHeight, picture->Height()));
    const QRect source(sourceX, sourceY, Resolved(sourceWidth, picture->Width()),
                       Resolved(sourceHeight, picture->Height()));
    if (dest.isEmpty() || source.isEmpty()) {
        return;
    }
    const std::shared_ptr<PictureData>& data = PictureBridge::Data(*picture);
    // A picture drawn into itself is read from a copy.
    QImage selfCopy;
    if (data == itsTarget->picture) {
        selfCopy = data->Drawable().copy();
    }
    const QImage& drawable = selfCopy.isNull() ? data->Drawable() : selfCopy;
    auto draw = [&](QPainter& painter) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, !UseOldRenderer);
        painter.drawImage(dest, drawable, source);
        painter.restore();
    };
    if (!itsTarget->picture) {
        draw(*itsTarget->painter);
        return;
    }
    if (dest.size() == source.size()) {
        itsTarget->picture->Changed(Blit(itsTarget->picture->Image(), dest.topLeft(), drawable, source));
        return;
    }
    {
        QPainter painter(&itsTarget->picture->Image());
        draw(painter);
    }
    itsTarget->picture->Changed(dest);
}

Color Graphics::Pixel(Int32 x, Int32 y) const
{
    return itsTarget->picture ? itsTarget->picture->Pixel(x, y) : Color();
}

void Graphics::SetPixel(Int32 x, Int32 y, Color color)
{
    if (itsTarget->picture) {
        itsTarget->picture->SetPixel(x, y, color);
    } else {
        itsTarget->painter->fillRect(QRect(x, y, 1, 1), ToQColor(color));
    }
}
