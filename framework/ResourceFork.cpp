#include "framework/ResourceFork.h"

#include "framework/FolderItem.h"
#include "framework/MouseCursor.h"
#include "framework/qt/CursorImage.h"
#include "framework/qt/ImageFile.h"

#include <algorithm>

namespace {

int HotSpotCoordinate(const QImage& image, const char* key, int size)
{
    bool ok = false;
    const int value = image.text(key).toInt(&ok);
    return ok ? std::clamp(value, 0, size - 1) : size / 2;
}

} // namespace

std::shared_ptr<MouseCursor> ResourceFork::GetCursor(Int32 id) const
{
    const auto folder = ResourcesFolder();
    const auto file = folder ? folder->Child("Cursor" + std::to_string(id) + ".png") : nullptr;
    if (!file) {
        return nullptr;
    }
    QImage image = ImageFile::Read(file->NativePath(), QSize(CursorImage::MaxSide, CursorImage::MaxSide));
    if (image.isNull()) {
        return nullptr;
    }
    auto cursor = std::make_unique<CursorImage>();
    cursor->hotSpot = QPoint(HotSpotCoordinate(image, "HotspotX", image.width()),
                             HotSpotCoordinate(image, "HotspotY", image.height()));
    cursor->image = std::move(image);
    return std::make_shared<MouseCursor>(std::move(cursor));
}
