#pragma once
// A mouse cursor: an image with its hot spot. Made by ResourceFork::GetCursor.

#include "framework/Types.h"

struct CursorImage;

class MouseCursor {
public:
    explicit MouseCursor(std::unique_ptr<CursorImage> image);
    ~MouseCursor();
    MouseCursor(const MouseCursor&) = delete;
    MouseCursor& operator=(const MouseCursor&) = delete;

    const CursorImage& Image() const;

private:
    std::unique_ptr<CursorImage> itsImage;
};
