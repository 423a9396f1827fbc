#include "framework/Graphics.h"

#include "framework/Picture.h"
#include "framework/qt/DrawTarget.h"
#include "framework/qt/PictureBridge.h"
#include "framework/qt/PictureData.h"

#include <algorithm>

namespace {

QColor ToQColor(Color c)
{
    return QColor(c.Red, c.Green, c.Blue);
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
    return itsTarget->picture ? itsTarget->picture->Size().width() : itsTarget->size.width();
}

Int32 Graphics::Height() const
{
    return itsTarget->picture ? itsTarget->picture->Size().height() : itsTarget->size.height();
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
                           Int32 destHeight, Int32 sourceX, Int32 sourceY, Int32 sourceWidth, Int32 sourceHeight)
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
    if (itsTarget->picture) {
        itsTarget->picture->DrawFrom(*data, dest, source, !UseOldRenderer);
        return;
    }
    QPainter& painter = *itsTarget->painter;
    painter.save();
    // Smoothing is asked for only where pixels are scaled: with it Qt leaves its fast path for
    // unscaled images.
    const bool scaled = dest.size() != source.size() || painter.deviceTransform().isScaling();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !UseOldRenderer && scaled);
    painter.drawImage(dest, data->Drawable(), source);
    painter.restore();
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
