#include "components/media/ResourceFile.h"

#include "framework/FolderItem.h"

std::shared_ptr<FolderItem> ResourceFile(const String& name)
{
    const auto folder = ResourcesFolder();
    return folder ? folder->Child(name) : nullptr;
}
