#pragma once
// Direct pixel access to a Picture.

#include "framework/Color.h"
#include "framework/Types.h"

class PictureData;

class RGBSurface {
public:
    explicit RGBSurface(std::shared_ptr<PictureData> data);

    // Black outside the picture; a pixel outside is not set.
    Color Pixel(Int32 x, Int32 y) const;
    void SetPixel(Int32 x, Int32 y, Color color);

private:
    std::shared_ptr<PictureData> itsData;
};
