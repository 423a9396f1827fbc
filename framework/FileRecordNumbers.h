#pragma once
// The numbers that stand for volumes and folders in file records (vRefNum, parID), handed
// out on first use in this process, and the way back from a number to its volume or folder.

#include "framework/Types.h"

#include <sys/types.h>

#include <optional>

// Negative numbers from -1, one per device.
Int32 VolumeNumber(dev_t device);
std::optional<dev_t> VolumeDevice(Int32 number);

// Positive numbers from 2, one per folder path.
Int32 FolderNumber(const String& folderPath);
std::optional<String> FolderPath(Int32 number);
