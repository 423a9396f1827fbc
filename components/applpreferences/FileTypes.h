#pragma once
// The file types the application declares: PrefsData, the type of its preferences file.

#include "framework/FileType.h"

#include <memory>

namespace FileTypes {

// Makes PrefsData and registers it with the layer; called once at start-up.
void Initialize();
// Empties the slot at program end.
void Release();
// Null before Initialize and after Release.
std::shared_ptr<FileType> PrefsData();

} // namespace FileTypes
