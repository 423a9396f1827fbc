#include "components/picturefader/PictureFader.h"

#include "framework/Color.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "framework/RGBSurface.h"
#include "framework/Thread.h"

namespace {

constexpr Color white(255, 255, 255);
constexpr Color black(0, 0, 0);

// A new 32-bit picture of the given size drawing without antialiasing, or nullptr.
std::shared_ptr<Picture> NewPlainPicture(Int32 width, Int32 height)
{
    std::shared_ptr<Picture> picture = Picture::New(width, height, 32);
    if (picture) {
        picture->Graphics()->UseOldRenderer = true;
    }
    return picture;
}

// nullptr when there is no memory for the mask.
std::shared_ptr<Graphics> PlainMaskGraphics(Picture& picture)
{
    const std::shared_ptr<Picture> mask = picture.Mask(true);
    if (!mask) {
        return nullptr;
    }
    std::shared_ptr<Graphics> g = mask->Graphics();
    g->UseOldRenderer = true;
    return g;
}

void Fill(Graphics& g, Color color, Int32 width, Int32 height)
{
    g.ForeColor = color;
    g.FillRect(0, 0, width, height);
}

} // namespace

void PictureFader::Constructor(const std::shared_ptr<Picture>& pic, double opacity, Int32 maskMode,
                               const std::shared_ptr<Picture>& maskPic)
{
    ItsPicture = pic ? NewPlainPicture(pic->Width(), pic->Height()) : nullptr;
    if (ItsPicture) {
        ItsPicture->Graphics()->DrawPicture(pic, 0, 0);
        ItsMaskGraphics = PlainMaskGraphics(*ItsPicture);
        if (!ItsMaskGraphics) {
            // A picture that cannot fade is not shown at all.
            ItsPicture = nullptr;
        } else if (maskMode > 0) {
            MakeShape(pic, maskMode, maskPic);
        }
    }
    if (opacity >= 1.0) {
        ItsStatus = 2;
        ItsFadeValue = 1.0;
    } else if (opacity <= 0.0) {
        ItsStatus = 0;
        ItsFadeValue = 0.0;
    } else {
        ItsStatus = 1;
        ItsFadeValue = opacity;
    }
    ItsFadeRate = 0.0;
}

void PictureFader::DrawPicture(Graphics& g, Int32 x, Int32 y)
{
    if (ItsStatus < 1) {
        return;
    }
    if (ItsStatus == 1) {
        ItsFadeValue += ItsFadeRate;
        if (ItsFadeValue >= 1.0) {
            ItsStatus = 2;
            ItsFadeValue = 1.0;
        } else if (ItsFadeValue <= 0.0) {
            ItsStatus = 0;
            ItsFadeValue = 0.0;
        }
        WriteOpacityIntoMask();
    }
    g.DrawPicture(ItsPicture, x, y);
}

void PictureFader::SetFadeRate(double rate)
{
    if ((ItsStatus == 0 && rate > 0.0) || (ItsStatus == 2 && rate < 0.0)) {
        ItsStatus = 1;
        ItsFadeRate = rate;
    } else if (ItsStatus == 1) {
        ItsFadeRate = rate;
    }
}

String PictureFader::VersionInfo()
{
    return "2012-06-17,1";
}

bool PictureFader::IsVisible()
{
    return ItsStatus > 0;
}

bool PictureFader::IsOpaque()
{
    return ItsStatus == 2;
}

void PictureFader::MakeShape(const std::shared_ptr<Picture>& pic, Int32 maskMode,
                             const std::shared_ptr<Picture>& maskPic)
{
    const Int32 width = pic->Width();
    const Int32 height = pic->Height();
    ItsOriginalMask = NewPlainPicture(width, height);
    ItsMaskWork = NewPlainPicture(width, height);
    if (!ItsOriginalMask || !ItsMaskWork) {
        ItsOriginalMask = nullptr;
        ItsMaskWork = nullptr;
        return;
    }
    if (maskMode == 2) {
        Graphics& shape = *ItsOriginalMask->Graphics();
        if (maskPic) {
            shape.DrawPicture(maskPic, 0, 0);
        } else {
            Fill(shape, black, width, height);
        }
    } else {
        // Pure white is outside the shape. Computed once, yielding so a large picture does not
        // hold up the other threads.
        const std::shared_ptr<RGBSurface> source = ItsPicture->RGBSurface();
        const std::shared_ptr<RGBSurface> shape = ItsOriginalMask->RGBSurface();
        for (Int32 y = 0; y < height; ++y) {
            for (Int32 x = 0; x < width; ++x) {
                shape->SetPixel(x, y, source->Pixel(x, y) == white ? white : black);
                YieldToNextThread();
            }
            YieldToNextThread();
        }
    }
    Fill(*ItsMaskWork->Graphics(), white, width, height);
    ItsWorkGraphics = PlainMaskGraphics(*ItsMaskWork);
    if (!ItsWorkGraphics) {
        ItsOriginalMask = nullptr;
        ItsMaskWork = nullptr;
    }
}

// White where the picture is transparent, black where it shows fully, grey in between.
void PictureFader::WriteOpacityIntoMask()
{
    if (!ItsMaskGraphics) {
        return;
    }
    const Int32 width = ItsPicture->Width();
    const Int32 height = ItsPicture->Height();
    if (!ItsOriginalMask) {
        Fill(*ItsMaskGraphics, HSV(0.0, 0.0, 1.0 - ItsFadeValue), width, height);
        return;
    }
    // The shape, with its black covered by white to the degree 1 - opacity.
    ItsMaskGraphics->DrawPicture(ItsOriginalMask, 0, 0);
    Fill(*ItsWorkGraphics, HSV(0.0, 0.0, ItsFadeValue), width, height);
    ItsMaskGraphics->DrawPicture(ItsMaskWork, 0, 0);
}
