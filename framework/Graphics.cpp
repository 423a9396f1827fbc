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

// Copies sourceRect of the drawable form of a picture without partly transparent pixels into
// target, unscaled, with its top left at at; fully transparent pixels are left out. For the many
// small pictures of a frame this costs far less than setting up a painter. Returns the changed
// area.
QRect Copy(QImage& target, QPoint at, const PictureData& picture, QRect sourceRect)
{
    const QImage& source = picture.Drawable();
    const QPoint shift = at - sourceRect.topLeft();
    const QRect area = sourceRect.intersected(source.rect()).translated(shift).intersected(target.rect());
    const bool opaque = picture.IsOpaque();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        // Source pixel x lands on target pixel x + shift.x().
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y)) + area.left();
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - shift.y())) + area.left() - shift.x();
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
    const bool intoItself = data == itsTarget->picture;
    if (itsTarget->picture && !intoItself && dest.size() == source.size() && !data->HasPartialAlpha()) {
        itsTarget->picture->Changed(Copy(itsTarget->picture->Image(), dest.topLeft(), *data, source));
        return;
    }
    // A picture drawn into itself is read from a copy.
    const QImage drawable = intoItself ? data->Drawable().copy() : data->Drawable();
    auto draw = [&](QPainter& painter) {
        // Smoothing is asked for only where pixels are scaled: with it Qt leaves its fast
        // path for unscaled images.
        const bool scaled = dest.size() != source.size() || painter.deviceTransform().isScaling();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, !UseOldRenderer && scaled);
        painter.drawImage(dest, drawable, source);
    };
    if (!itsTarget->picture) {
        itsTarget->painter->save();
        draw(*itsTarget->painter);
        itsTarget->painter->restore();
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
