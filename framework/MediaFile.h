#pragma once
// A media file (picture, sound or cursor) read whole, as safely as a file from anywhere must be:
// only a regular file is read (a link is followed), it is opened without waiting for anything,
// and no more than a bound far above any sound or picture the game uses is read.

#include "framework/Types.h"

#include <cstddef>
#include <optional>

namespace MediaFile {

// The game's largest medium is under 150 KiB.
constexpr std::size_t MaxBytes = 4 * 1024 * 1024;

// The file's bytes; nothing when it is missing, not a regular file (a pipe, a device, a
// folder), unreadable, or larger than MaxBytes.
std::optional<String> Read(const String& path);

} // namespace MediaFile
