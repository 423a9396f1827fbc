#pragma once
// Draws a picture with one opacity for the whole picture, and moves that opacity by the fade rate
// at each drawing. The opacity is written into the mask of the fader's own 32-bit copy; an optional
// shape keeps the parts outside it transparent.

#include "framework/Types.h"

#include <memory>

class Graphics;
class Picture;

class PictureFader : public Object {
public:
    // maskMode <= 0: no shape; 2: the shape is maskPic (black inside), or all of the picture when
    // maskPic is null; any other value: the shape is every pixel of pic that is not pure white.
    virtual void Constructor(const std::shared_ptr<Picture>& pic, double opacity, Int32 maskMode,
                             const std::shared_ptr<Picture>& maskPic);
    // While fading, applies the rate first. A hidden fader draws nothing.
    virtual void DrawPicture(Graphics& g, Int32 x, Int32 y);
    // Starts fading in from hidden (rate > 0) or out from opaque (rate < 0); while fading, any rate.
    virtual void SetFadeRate(double rate);
    virtual String VersionInfo();
    virtual bool IsVisible();
    virtual bool IsOpaque();

protected:
    std::shared_ptr<Picture> ItsPicture;
    double ItsFadeValue = 0.0;
    Int32 ItsStatus = 0; // 0 hidden, 1 fading, 2 opaque
    double ItsFadeRate = 0.0;
    std::shared_ptr<Picture> ItsOriginalMask;
    std::shared_ptr<Graphics> ItsMaskGraphics;
    std::shared_ptr<Picture> ItsMaskWork;
    std::shared_ptr<Graphics> ItsWorkGraphics;

private:
    void MakeShape(const std::shared_ptr<Picture>& pic, Int32 maskMode, const std::shared_ptr<Picture>& maskPic);
    void WriteOpacityIntoMask();
};
