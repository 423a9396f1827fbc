#pragma once
// The pixels behind a Picture, shared by its Graphics and RGBSurface, with the drawable
// form (mask and transparent white applied) made once per change and cached.

#include "framework/Color.h"

#include <QImage>

#include <cstdint>
#include <memory>

class Picture;

class PictureData {
public:
    // image is converted to RGB32 and reduced to depth.
    PictureData(const QImage& image, int depth);

    int Depth() const { return itsDepth; }
    QImage& Image() { return itsImage; }
    const QImage& Image() const { return itsImage; }

    // Call after the pixels in rect changed: they are reduced to the depth (a 1-bit picture
    // keeps black or white by brightness) and the drawable form is made anew on next use.
    void Changed(const QRect& rect);

    // Changes on every change of the pixels, mask or transparency; unique across pictures.
    std::uint64_t Version() const { return itsVersion; }

    const std::shared_ptr<Picture>& Mask() const { return itsMask; }
    void SetMask(std::shared_ptr<Picture> mask);
    int Transparent() const { return itsTransparent; }
    void SetTransparent(int transparent);

    // Black outside the picture; a pixel outside is not set.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color color);

    // The pixels as they are drawn: RGB32 when everything is opaque, otherwise premultiplied
    // ARGB32 with the mask's brightness as transparency and, with Transparent 1, pure white
    // left out.
    const QImage& Drawable() const;
    // True when the drawable form is the pixels themselves.
    bool IsOpaque() const;
    // True when the drawable form may have partly transparent pixels (from a mask); otherwise
    // each of its pixels is opaque or fully transparent.
    bool HasPartialAlpha() const { return itsMask != nullptr; }

private:
    void Touch();
    std::uint64_t MaskVersion() const;

    QImage itsImage;
    int itsDepth;
    std::uint64_t itsVersion;
    std::shared_ptr<Picture> itsMask;
    int itsTransparent = 0;

    void MakeDrawable() const;

    mutable QImage itsDrawable;
    mutable std::uint64_t itsDrawableVersion = 0;
    mutable std::uint64_t itsDrawableMaskVersion = 0;
};
