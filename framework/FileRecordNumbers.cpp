#include "framework/FileRecordNumbers.h"

#include <map>
#include <vector>

namespace {

std::vector<dev_t>& Volumes()
{
    static std::vector<dev_t> volumes;
    return volumes;
}

std::vector<String>& Folders()
{
    static std::vector<String> folders;
    return folders;
}

std::map<String, Int32>& FolderNumbers()
{
    static std::map<String, Int32> numbers;
    return numbers;
}

constexpr Int32 FirstFolder = 2;

} // namespace

Int32 VolumeNumber(dev_t device)
{
    auto& volumes = Volumes();
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (volumes[i] == device) {
            return -static_cast<Int32>(i) - 1;
        }
    }
    volumes.push_back(device);
    return -static_cast<Int32>(volumes.size());
}

std::optional<dev_t> VolumeDevice(Int32 number)
{
    const auto& volumes = Volumes();
    const auto index = static_cast<std::size_t>(-static_cast<std::int64_t>(number) - 1);
    if (number >= 0 || index >= volumes.size()) {
        return std::nullopt;
    }
    return volumes[index];
}

Int32 FolderNumber(const String& folderPath)
{
    auto [entry, added] = FolderNumbers().try_emplace(folderPath, 0);
    if (added) {
        Folders().push_back(folderPath);
        entry->second = FirstFolder + static_cast<Int32>(Folders().size()) - 1;
    }
    return entry->second;
}

std::optional<String> FolderPath(Int32 number)
{
    const auto& folders = Folders();
    if (number < FirstFolder || static_cast<std::size_t>(number - FirstFolder) >= folders.size()) {
        return std::nullopt;
    }
    return folders[number - FirstFolder];
}
