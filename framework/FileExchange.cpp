#include "framework/FileExchange.h"

#include "framework/FileRecordNumbers.h"
#include "framework/FolderItem.h"
#include "framework/MacJapanese.h"
#include "framework/MemoryBlock.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace {

// The results of the exchange, as the file manager numbers them.
constexpr Int32 NoError = 0;
constexpr Int32 IOError = -36;
constexpr Int32 NoSuchVolume = -35;
constexpr Int32 FileNotFound = -43;
constexpr Int32 ParameterError = -50;
constexpr Int32 FolderNotFound = -120;
constexpr Int32 NotAFile = -1302;
constexpr Int32 DifferentVolumes = -1303;

constexpr Int32 NameOffset = 6;
constexpr Int32 MaxNameLength = 63;

struct Resolved {
    Int32 error = NoError;
    String path;
    struct stat info = {};
};

// The regular file that a record names.
Resolved Resolve(const MemoryBlock& record)
{
    Resolved file;
    const Int32 length = record.Byte(NameOffset);
    if (record.Size() < NameOffset + 1 + length || length == 0 || length > MaxNameLength) {
        file.error = ParameterError;
        return file;
    }
    const auto folder = FolderPath(record.Int32Value(2));
    const auto device = VolumeDevice(record.Int16Value(0));
    struct stat folderInfo = {};
    if (!folder || stat(folder->c_str(), &folderInfo) != 0) {
        file.error = FolderNotFound;
        return file;
    }
    if (!device || *device != folderInfo.st_dev) {
        file.error = NoSuchVolume;
        return file;
    }
    const String name = MacJapaneseToUtf8(record.StringValue(NameOffset + 1, length));
    if (name.find('/') != String::npos || name == "." || name == "..") {
        file.error = ParameterError;
        return file;
    }
    file.path = (std::filesystem::path(*folder) / name).string();
    if (lstat(file.path.c_str(), &file.info) != 0) {
        file.error = FileNotFound;
    } else if (!S_ISREG(file.info.st_mode)) {
        file.error = NotAFile;
    }
    return file;
}

} // namespace

Int32 FSpExchangeFiles(const MemoryBlock& record1, const MemoryBlock& record2)
{
    const Resolved first = Resolve(record1);
    const Resolved second = Resolve(record2);
    if (first.error != NoError || second.error != NoError) {
        return first.error != NoError ? first.error : second.error;
    }
    if (first.info.st_dev != second.info.st_dev) {
        return DifferentVolumes;
    }
    if (first.info.st_ino == second.info.st_ino) {
        return NoError;
    }
    if (renameat2(AT_FDCWD, first.path.c_str(), AT_FDCWD, second.path.c_str(), RENAME_EXCHANGE) != 0) {
        return errno == EXDEV ? DifferentVolumes : IOError;
    }
    return NoError;
}

bool FSpNamesFile(const MemoryBlock& record, const FolderItem& file)
{
    const Resolved named = Resolve(record);
    struct stat info = {};
    return named.error == NoError && lstat(file.NativePath().c_str(), &info) == 0 &&
           named.info.st_dev == info.st_dev && named.info.st_ino == info.st_ino;
}
