#pragma once
// A bitmap: width, height and depth, its drawing context, an optional mask and the
// transparent-white switch.

#include "framework/Types.h"

class Graphics;
class RGBSurface;
class PictureData;
class PictureBridge;

class Picture {
public:
    // A white picture; depth 1, 8, 16, 24 or 32. nullptr when the size or depth cannot be
    // made (a side <= 0, an absurd size, another depth, no memory).
    static std::shared_ptr<Picture> New(Int32 width, Int32 height, Int32 depth);

    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    Int32 Width() const;
    Int32 Height() const;
    Int32 Depth() const;

    // The drawing context into this picture; the same object on every call.
    std::shared_ptr<::Graphics> Graphics();

    // The mask: a grey picture of the same size, white transparent, black opaque, grey partly.
    // With create, a picture without a mask gets an all-black (opaque) one; without, nullptr.
    std::shared_ptr<Picture> Mask(bool create = true);

    // 1: pure white pixels are not drawn when this picture is drawn. 0: they are.
    Int32 Transparent() const;
    void SetTransparent(Int32 transparent);

    // Changes whenever the pixels, mask or transparency may have changed: a picture that
    // kept its version looks as it did. Versions are not shared between pictures.
    std::uint64_t Version() const;

    // Pixel access; the same object on every call.
    std::shared_ptr<::RGBSurface> RGBSurface();

private:
    friend class PictureBridge;
    explicit Picture(std::shared_ptr<PictureData> data);

    std::shared_ptr<PictureData> itsData;
    std::shared_ptr<::Graphics> itsGraphics;
    std::shared_ptr<::RGBSurface> itsSurface;
};
