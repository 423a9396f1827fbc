#pragma once
// The application's numbered resources: here, cursors kept as files in the resources folder.

#include "framework/Types.h"

class MouseCursor;

class ResourceFork {
public:
    // The cursor in "Cursor<id>.png" of the resources folder, its hot spot in the PNG text
    // keys "HotspotX" and "HotspotY" (the centre when they are missing); nullptr when the
    // file is missing or not a picture, or the picture is larger than a cursor can be.
    std::shared_ptr<MouseCursor> GetCursor(Int32 id) const;
};
