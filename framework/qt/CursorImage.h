#pragma once
// What a MouseCursor holds. The QCursor is made only where a widget takes the cursor, so a
// cursor that outlives the application holds no window-system resource.

#include <QCursor>
#include <QImage>
#include <QPoint>

struct CursorImage {
    QImage image;
    QPoint hotSpot;

    QCursor ToCursor() const;
};
