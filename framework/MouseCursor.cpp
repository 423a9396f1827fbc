#include "framework/MouseCursor.h"

#include "framework/qt/CursorImage.h"

MouseCursor::MouseCursor(std::unique_ptr<CursorImage> image) : itsImage(std::move(image)) {}

MouseCursor::~MouseCursor() = default;

const CursorImage& MouseCursor::Image() const
{
    return *itsImage;
}
