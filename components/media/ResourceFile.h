#pragma once
// A file of the application's resources folder.

#include "framework/Types.h"

class FolderItem;

// The item of that name in the resources folder (the file may be missing); nullptr when there
// is no resources folder.
std::shared_ptr<FolderItem> ResourceFile(const String& name);
