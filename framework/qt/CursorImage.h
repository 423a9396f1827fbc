#pragma once
// What a MouseCursor holds. The QCursor is made only where a widget takes the cursor, so a
// cursor that outlives the application holds no window-system resource.

#include <QCursor>
#include <QImage>
#include <QPoint>

struct CursorImage {
    // The largest cursor taken, on each side: what window systems show as a cursor (X servers
    // and compositors commonly go up to 64 by 64). A larger picture can break the connection
    // to the display.
    static constexpr int MaxSide = 64;

    QImage image;
    QPoint hotSpot;

    QCursor ToCursor() const;
};
