#pragma once
// A drawing context: into a Picture, or onto the screen while a canvas paints.

#include "framework/Color.h"
#include "framework/Types.h"

class Picture;
struct DrawTarget;

// A size argument of DrawPicture that means the picture's own width or height.
constexpr Int32 OwnSize = -10000;

class Graphics {
public:
    explicit Graphics(std::unique_ptr<DrawTarget> target);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // The colour of FillRect and FillOval.
    Color ForeColor;
    // True: no antialiasing and no smoothing of scaled pictures.
    bool UseOldRenderer = false;

    Int32 Width() const;
    Int32 Height() const;

    void FillRect(Int32 x, Int32 y, Int32 width, Int32 height);
    void FillOval(Int32 x, Int32 y, Int32 width, Int32 height);

    // Draws the source rectangle of picture into the destination rectangle at (x, y),
    // scaling when the sizes differ, through the picture's mask and transparent white.
    // OwnSize stands for the picture's width or height. A null picture draws nothing.
    void DrawPicture(const std::shared_ptr<Picture>& picture, Int32 x, Int32 y, Int32 destWidth = OwnSize,
                     Int32 destHeight = OwnSize, Int32 sourceX = 0, Int32 sourceY = 0, Int32 sourceWidth = OwnSize,
                     Int32 sourceHeight = OwnSize);

    // One pixel of a picture; black outside it or on the screen.
    Color Pixel(Int32 x, Int32 y) const;
    void SetPixel(Int32 x, Int32 y, Color color);

private:
    std::unique_ptr<DrawTarget> itsTarget;
};
