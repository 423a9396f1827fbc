#include "framework/Picture.h"

#include "framework/Graphics.h"
#include "framework/RGBSurface.h"
#include "framework/qt/DrawTarget.h"
#include "framework/qt/PictureData.h"

namespace {

constexpr Int32 MaxSide = 16384;
constexpr std::int64_t MaxPixels = std::int64_t(1) << 26;

bool IsDepth(Int32 depth)
{
    return depth == 1 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

} // namespace

std::shared_ptr<Picture> Picture::New(Int32 width, Int32 height, Int32 depth)
{
    if (!IsDepth(depth) || width <= 0 || height <= 0 || width > MaxSide || height > MaxSide ||
        std::int64_t(width) * height > MaxPixels) {
        return nullptr;
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return nullptr;
    }
    image.fill(Qt::white);
    return std::shared_ptr<Picture>(new Picture(std::make_shared<PictureData>(image, depth)));
}

Picture::Picture(std::shared_ptr<PictureData> data) : itsData(std::move(data)) {}

Picture::~Picture() = default;

Int32 Picture::Width() const
{
    return itsData->Size().width();
}

Int32 Picture::Height() const
{
    return itsData->Size().height();
}

Int32 Picture::Depth() const
{
    return itsData->Depth();
}

std::shared_ptr<Graphics> Picture::Graphics()
{
    if (!itsGraphics) {
        itsGraphics = std::make_shared<::Graphics>(DrawTarget::OnPicture(itsData));
    }
    return itsGraphics;
}

std::shared_ptr<Picture> Picture::Mask(bool create)
{
    if (!itsData->Mask() && create) {
        auto mask = New(Width(), Height(), 32);
        if (mask) {
            mask->itsData->Image().fill(Qt::black);
            mask->itsData->Changed(mask->itsData->Image().rect());
            itsData->SetMask(std::move(mask));
        }
    }
    return itsData->Mask();
}

Int32 Picture::Transparent() const
{
    return itsData->Transparent();
}

void Picture::SetTransparent(Int32 transparent)
{
    itsData->SetTransparent(transparent);
}

std::uint64_t Picture::Version() const
{
    return itsData->Version();
}

std::shared_ptr<RGBSurface> Picture::RGBSurface()
{
    if (!itsSurface) {
        itsSurface = std::make_shared<::RGBSurface>(itsData);
    }
    return itsSurface;
}
