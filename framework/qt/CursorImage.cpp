#include "framework/qt/CursorImage.h"

#include <QPixmap>

QCursor CursorImage::ToCursor() const
{
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}
