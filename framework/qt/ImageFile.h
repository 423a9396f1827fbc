#pragma once
// Pictures and cursors read from media files, their size checked before they are decoded.

#include "framework/Types.h"

#include <QImage>
#include <QSize>

namespace ImageFile {

// Far above the game's own pictures (at most 300 by 300), and small enough that a picture at
// the bound costs a few MiB.
constexpr qint64 MaxPixels = qint64(1) << 20;

// The picture in the file (read as MediaFile::Read does); a null image when the file cannot be
// read, is not a picture, or has more than MaxPixels pixels or, when largest is valid, is wider
// or higher than largest.
QImage Read(const String& path, QSize largest = QSize());

} // namespace ImageFile
