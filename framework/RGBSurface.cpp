#include "framework/RGBSurface.h"

#include "framework/qt/PictureData.h"

RGBSurface::RGBSurface(std::shared_ptr<PictureData> data) : itsData(std::move(data)) {}

Color RGBSurface::Pixel(Int32 x, Int32 y) const
{
    return itsData->Pixel(x, y);
}

void RGBSurface::SetPixel(Int32 x, Int32 y, Color color)
{
    itsData->SetPixel(x, y, color);
}
