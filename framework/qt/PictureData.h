#pragma once
// The pixels behind a Picture, shared by its Graphics and RGBSurface, with the drawable
// form (mask and transparent white applied) made once per change and cached.
//
// A frame drawn anew over the last one costs nothing when it comes out the same: the draws
// since the last opaque copy over the whole picture are kept, and a frame that begins with
// that copy again is held back while its draws repeat the kept ones. Reading the pixels, a
// draw that differs, or any other change settles the frame: a frame that repeated all of them
// leaves the pixels and the version as they were; one that stopped short is drawn after all.

#include "framework/Color.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

class Picture;

class PictureData {
public:
    // image is converted to RGB32 and reduced to depth.
    PictureData(const QImage& image, int depth);

    int Depth() const { return itsDepth; }
    QSize Size() const { return itsImage.size(); }
    QImage& Image()
    {
        Settle();
        return itsImage;
    }
    const QImage& Image() const
    {
        Settle();
        return itsImage;
    }

    // Call after the pixels in rect were changed through Image(): they are reduced to the
    // depth (a 1-bit picture keeps black or white by brightness) and the drawable form is made
    // anew on next use.
    void Changed(const QRect& rect);

    // Draws sourceRect of source into dest of this picture, stretched when the sizes differ
    // (smoothly when smooth), as its drawable form shows: through the mask and without the
    // transparent white.
    void DrawFrom(const PictureData& source, const QRect& dest, const QRect& sourceRect, bool smooth);

    // Changes on every change of the pixels, mask or transparency; unique across pictures.
    // A frame that came out as the one before leaves it as it was.
    std::uint64_t Version() const
    {
        Settle();
        return itsVersion;
    }

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
    // What a draw into this picture did, for telling whether a frame repeats the last one.
    struct DrawRecord {
        std::uint64_t sourceVersion;
        std::uint64_t sourceMaskVersion;
        QRect dest;
        QRect source;
        bool smooth;

        bool operator==(const DrawRecord&) const = default;
    };
    // A draw with the source's drawable form as it was at the draw.
    struct Draw {
        DrawRecord record;
        QImage drawable;
        bool opaque;
        bool partialAlpha;
    };

    void Touch();
    std::uint64_t MaskVersion() const;
    void Reduce(const QRect& rect);
    void Apply(const Draw& draw);
    void Settle() const
    {
        if (!itsHeldBack.empty()) {
            const_cast<PictureData*>(this)->SettleHeldBack();
        }
    }
    void SettleHeldBack();

    QImage itsImage;
    int itsDepth;
    std::uint64_t itsVersion;
    std::shared_ptr<Picture> itsMask;
    int itsTransparent = 0;
    // The draws that made the pixels since an opaque copy over all of them; empty when
    // something else changed them since.
    std::vector<DrawRecord> itsFrame;
    // The draws of a frame that repeats the first ones of itsFrame, not done yet.
    std::vector<Draw> itsHeldBack;

    void MakeDrawable() const;

    mutable QImage itsDrawable;
    mutable std::uint64_t itsDrawableVersion = 0;
    mutable std::uint64_t itsDrawableMaskVersion = 0;
};
