#include "framework/FolderItem.h"

#include "framework/FileRecordNumbers.h"
#include "framework/Sound.h"
#include "framework/TestSeams.h"
#include "framework/TypeCodeStore.h"
#include "framework/qt/ImageFile.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/PictureBridge.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::optional<String> resourcesOverride;

const String TypeKey = "type";

// The modification time that marks a claim nothing has been written to: a write, or an
// open that truncates, sets the time to now.
constexpr timespec ClaimTime{0, 0};

// As many links as the system itself follows in one path.
constexpr int MaxLinks = 40;
// How often a temporary folder is made when it vanishes before it is opened.
constexpr int FolderAttempts = 3;
const String CreatorKey = "creator";

String AttributeName(const String& key)
{
    return "user.mac." + key;
}

bool NoAttributes(int error)
{
    return error == ENOTSUP || error == EOPNOTSUPP;
}

String ReadCode(const String& path, const String& key)
{
    char value[64];
    const ssize_t length = getxattr(path.c_str(), AttributeName(key).c_str(), value, sizeof value);
    if (length >= 0) {
        return String(value, static_cast<std::size_t>(length));
    }
    return NoAttributes(errno) ? TypeCodeStore::Default().Code(path, key) : String();
}

bool WriteCode(const String& path, const String& key, const String& code)
{
    struct stat info = {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    const String name = AttributeName(key);
    const int result = code.empty() ? removexattr(path.c_str(), name.c_str())
                                    : setxattr(path.c_str(), name.c_str(), code.data(), code.size(), 0);
    if (result == 0 || (code.empty() && errno == ENODATA)) {
        return true;
    }
    return NoAttributes(errno) && TypeCodeStore::Default().SetCode(path, key, code);
}

std::optional<struct stat> Status(const String& path)
{
    struct stat info = {};
    if (stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

bool SameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// Where a file lies: its file system, and the mount it is reached through. A file is renamed only
// within one mount: two mounts of one file system (a bind mount) do not rename between them.
struct Place {
    dev_t device = 0;
    // 0 where the system does not tell.
    std::uint64_t mount = 0;

    bool operator==(const Place&) const = default;
};

// The place of the item at path (links followed), or with an empty path of the open item folder.
std::optional<Place> PlaceOf(int folder, const char* path)
{
    struct statx info = {};
    if (statx(folder, path, path[0] == 0 ? AT_EMPTY_PATH : 0, STATX_MNT_ID, &info) != 0) {
        return std::nullopt;
    }
    return Place{makedev(info.stx_dev_major, info.stx_dev_minor),
                 (info.stx_mask & STATX_MNT_ID) != 0 ? info.stx_mnt_id : 0};
}

// The temporary folders this process used, each with the device and inode it had. A child of
// a fork is a process of its own, which has used none yet.
struct UsedFolder {
    fs::path path;
    dev_t device;
    ino_t inode;
};
std::mutex usedFoldersLock;

// Under usedFoldersLock.
std::vector<UsedFolder>& UsedFolders()
{
    static std::vector<UsedFolder> folders;
    static pid_t process = 0;
    if (process != getpid()) {
        folders.clear();
        process = getpid();
    }
    return folders;
}

// Removes the regular file at path unless a process holds it as a claim: the file is locked
// first, and removed only while the name still gives the locked file, so that a claim made under
// the name meanwhile stays. A file that cannot be locked at all (a file system without locks) is
// removed only when unlockableToo, by the holder of the name: no other process removes it then.
bool RemoveUnclaimed(const String& path, bool unlockableToo)
{
    // Some file systems (NFS) lock only a file that is open for writing.
    int fd = open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) {
        return false;
    }
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool unlockable = !locked && errno != EWOULDBLOCK && errno != EINTR;
    struct stat opened = {};
    struct stat named = {};
    const bool removed = (locked || (unlockable && unlockableToo)) && fstat(fd, &opened) == 0 &&
                         S_ISREG(opened.st_mode) && lstat(path.c_str(), &named) == 0 && SameFile(named, opened) &&
                         unlink(path.c_str()) == 0;
    close(fd);
    return removed;
}

// Removes the files in folder that no live process holds as claims: what runs that were killed
// in the middle of a save left there.
void RemoveDeadClaims(const fs::path& folder)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const String path = entry.path().string();
        struct stat named = {};
        if (lstat(path.c_str(), &named) == 0 && S_ISREG(named.st_mode)) {
            RemoveUnclaimed(path, false);
        }
    }
}

// Opens the private folder at path (made when missing) at place, or gives -1 when path is not
// such a folder of ours. The first time this process uses the folder, the dead claims in it go.
int OpenPrivateFolder(const fs::path& path, const Place& place)
{
    int fd = -1;
    // Another copy of the game may remove the folder, empty, between its making and its opening:
    // it is made again.
    for (int attempt = 0; attempt < FolderAttempts && fd < 0; ++attempt) {
        mkdir(path.c_str(), 0700);
        fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0 && errno != ENOENT) {
            break;
        }
    }
    struct stat info = {};
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_uid != getuid() || PlaceOf(fd, "") != place ||
        access(path.c_str(), W_OK | X_OK) != 0) {
        if (fd >= 0) {
            close(fd);
        }
        return -1;
    }
    bool firstUse = false;
    {
        const std::lock_guard lock(usedFoldersLock);
        std::vector<UsedFolder>& usedFolders = UsedFolders();
        firstUse = std::none_of(usedFolders.begin(), usedFolders.end(), [&](const UsedFolder& used) {
            return used.path == path && used.device == info.st_dev && used.inode == info.st_ino;
        });
        if (firstUse) {
            usedFolders.push_back({path, info.st_dev, info.st_ino});
        }
    }
    if (firstUse) {
        RemoveDeadClaims(path);
    }
    return fd;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies the file from to a new temporary file beside to with the same permissions and
// codes; its path, or nothing on failure (nothing left behind).
std::optional<String> CopyBeside(const String& from, const fs::path& to)
{
    const auto source = Status(from);
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (!source || in < 0) {
        if (in >= 0) {
            close(in);
        }
        return std::nullopt;
    }
    const String hidden = String(".").append(to.filename().string()).append(".XXXXXX");
    String temporary = (to.parent_path() / hidden).string();
    const int out = mkostemp(temporary.data(), O_CLOEXEC);
    bool ok = out >= 0;
    char buffer[65536];
    while (ok) {
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = WriteAll(out, buffer, static_cast<std::size_t>(got));
    }
    close(in);
    if (out >= 0) {
        ok = ok && fchmod(out, source->st_mode & 07777) == 0 && fsync(out) == 0;
        ok = close(out) == 0 && ok;
        for (const String& key : {TypeKey, CreatorKey}) {
            const String code = ReadCode(from, key);
            ok = ok && (code.empty() || WriteCode(temporary, key, code));
        }
        if (!ok) {
            unlink(temporary.c_str());
        }
    }
    return ok ? std::optional<String>(temporary) : std::nullopt;
}

void SyncFolder(const fs::path& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

class FolderItem::Descriptor {
public:
    explicit Descriptor(int fd) : itsFd(fd) {}
    ~Descriptor() { close(itsFd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Fd() const { return itsFd; }

private:
    int itsFd;
};

void FolderAccess::RemoveMadeTemporaryFolders()
{
    const std::lock_guard lock(usedFoldersLock);
    for (const UsedFolder& folder : UsedFolders()) {
        // Only the folder that was used here: not one made in its place since, which those
        // who use it remove. A folder another process still uses is not empty, and stays; the
        // last process to leave it removes it, with what no live process holds: the old contents
        // that an exchange left under a name while another process still held their file.
        struct stat info = {};
        if (lstat(folder.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_dev == folder.device &&
            info.st_ino == folder.inode) {
            RemoveDeadClaims(folder.path);
            rmdir(folder.path.c_str());
        }
    }
    UsedFolders().clear();
}

void SetResourcesFolderOverride(std::optional<String> path)
{
    resourcesOverride = std::move(path);
}

FolderItem::FolderItem(const String& path)
{
    fs::path p = fs::absolute(fs::path(path)).lexically_normal();
    if (p.has_relative_path() && !p.has_filename()) {
        p = p.parent_path();
    }
    itsPath = p.string();
}

String FolderItem::Name() const
{
    return fs::path(itsPath).filename().string();
}

String FolderItem::NativePath() const
{
    return itsPath;
}

bool FolderItem::Exists() const
{
    struct stat info = {};
    return lstat(itsPath.c_str(), &info) == 0;
}

bool FolderItem::Directory() const
{
    const auto info = Status(itsPath);
    return info && S_ISDIR(info->st_mode);
}

std::shared_ptr<FolderItem> FolderItem::Child(const String& name) const
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of(String("/\0", 2)) != String::npos) {
        return nullptr;
    }
    // This item's path is absolute and normal, and stays so with a plain name added.
    const std::shared_ptr<FolderItem> child(new FolderItem());
    child->itsPath = itsPath.back() == '/' ? itsPath + name : itsPath + '/' + name;
    child->itsOpenParent = itsOpenFolder;
    return child;
}

std::shared_ptr<FolderItem> FolderItem::Parent() const
{
    const fs::path p(itsPath);
    if (!p.has_relative_path()) {
        return nullptr;
    }
    return std::make_shared<FolderItem>(p.parent_path().string());
}

std::shared_ptr<FolderItem> FolderItem::TemporaryFolder() const
{
    const fs::path folder = Directory() ? fs::path(itsPath) : fs::path(itsPath).parent_path();
    const auto place = PlaceOf(AT_FDCWD, folder.c_str());
    if (!place || faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return nullptr;
    }
    const char* tmpdir = std::getenv("TMPDIR");
    const fs::path systemTemporary = tmpdir && tmpdir[0] == '/' ? tmpdir : "/tmp";
    fs::path chosen = systemTemporary / ("kalmeno-" + std::to_string(getuid()));
    int fd = PlaceOf(AT_FDCWD, systemTemporary.c_str()) == place ? OpenPrivateFolder(chosen, *place) : -1;
    if (fd < 0) {
        chosen = folder / ".kalmeno-temp";
        fd = OpenPrivateFolder(chosen, *place);
    }
    if (fd < 0) {
        return nullptr;
    }
    auto temporary = std::make_shared<FolderItem>(chosen.string());
    temporary->itsOpenFolder = std::make_shared<const Descriptor>(fd);
    return temporary;
}

String FolderItem::MacType() const
{
    return ReadCode(itsPath, TypeKey);
}

bool FolderItem::SetMacType(const String& code)
{
    return WriteCode(itsPath, TypeKey, code);
}

String FolderItem::MacCreator() const
{
    return ReadCode(itsPath, CreatorKey);
}

bool FolderItem::SetMacCreator(const String& code)
{
    return WriteCode(itsPath, CreatorKey, code);
}

Int32 FolderItem::Permissions() const
{
    const auto info = Status(itsPath);
    return info ? static_cast<Int32>(info->st_mode & 07777) : -1;
}

bool FolderItem::SetPermissions(Int32 bits)
{
    return bits >= 0 && chmod(itsPath.c_str(), static_cast<mode_t>(bits & 07777)) == 0;
}

Int32 FolderItem::MacVRefNum() const
{
    const auto info = Status(fs::path(itsPath).parent_path().string());
    return info ? VolumeNumber(info->st_dev) : 0;
}

Int32 FolderItem::MacDirID() const
{
    return FolderNumber(fs::path(itsPath).parent_path().string());
}

bool FolderItem::Delete()
{
    if (itsClaim) {
        struct stat claimed = {};
        return ClaimedFile(claimed) ? unlink(itsPath.c_str()) == 0 : RemoveUnclaimed(itsPath, true);
    }
    std::error_code error;
    return fs::remove(itsPath, error);
}

FolderItem::Claim FolderItem::ClaimName()
{
    std::shared_ptr<const Descriptor> folder = itsOpenParent;
    if (!folder) {
        const int fd = open(fs::path(itsPath).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return Claim::Failed;
        }
        folder = std::make_shared<const Descriptor>(fd);
    }
    const String name = itsPath.substr(itsPath.rfind('/') + 1);
    const int fd = openat(folder->Fd(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST ? Claim::Taken : Claim::Failed;
    }
    auto claim = std::make_shared<const Descriptor>(fd);
    // A process that begins to use the folder may take the new file for a dead claim before it
    // is locked, and remove it (it holds the lock while it does): the name is then had by no one,
    // and this caller tries the next. Where the file system has no locks, no process removes a claim.
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (!locked && errno == EWOULDBLOCK) {
        return Claim::Taken;
    }
    struct stat opened = {};
    struct stat named = {};
    if (locked &&
        (fstat(fd, &opened) != 0 || fstatat(folder->Fd(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
         !SameFile(named, opened))) {
        return Claim::Taken;
    }
    const timespec times[2] = {{0, UTIME_NOW}, ClaimTime};
    if (futimens(fd, times) != 0) {
        unlinkat(folder->Fd(), name.c_str(), 0);
        return Claim::Failed;
    }
    itsClaim = std::move(claim);
    return Claim::Made;
}

bool FolderItem::ClaimedFile(struct stat& info) const
{
    struct stat named = {};
    return itsClaim && fstat(itsClaim->Fd(), &info) == 0 && lstat(itsPath.c_str(), &named) == 0 &&
           SameFile(named, info);
}

bool FolderItem::HoldsClaim() const
{
    struct stat info = {};
    return ClaimedFile(info);
}

bool FolderItem::IsUnwrittenClaim() const
{
    struct stat info = {};
    return ClaimedFile(info) && info.st_size == 0 && info.st_mtim.tv_sec == ClaimTime.tv_sec &&
           info.st_mtim.tv_nsec == ClaimTime.tv_nsec;
}

std::shared_ptr<FolderItem> FolderItem::Resolved() const
{
    fs::path path(itsPath);
    for (int links = 0; links < MaxLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            return std::make_shared<FolderItem>(path.string());
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::make_shared<FolderItem>(itsPath);
}

bool FolderItem::MoveFileTo(const std::shared_ptr<FolderItem>& dest)
{
    if (!dest || !Exists()) {
        return false;
    }
    fs::path target = dest->Directory() ? fs::path(dest->itsPath) / Name() : fs::path(dest->itsPath);
    if (target == fs::path(itsPath)) {
        return true;
    }
    if (rename(itsPath.c_str(), target.c_str()) != 0) {
        const bool otherFileSystem = errno == EXDEV;
        const auto source = Status(itsPath);
        if (!otherFileSystem || !source || !S_ISREG(source->st_mode)) {
            return false;
        }
        const auto copy = CopyBeside(itsPath, target);
        if (!copy) {
            return false;
        }
        if (rename(copy->c_str(), target.c_str()) != 0) {
            unlink(copy->c_str());
            return false;
        }
        SyncFolder(target.parent_path());
        unlink(itsPath.c_str());
    }
    itsPath = target.string();
    return true;
}

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const
{
    return PictureBridge::FromImage(ImageFile::Read(itsPath));
}

std::shared_ptr<Sound> FolderItem::OpenAsSound() const
{
    return Sound::Open(itsPath);
}

std::shared_ptr<FolderItem> SpecialFolder::Preferences()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path folder;
    if (config && config[0] == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        const passwd* user = home ? nullptr : getpwuid(getuid());
        if (!home && !user) {
            return nullptr;
        }
        folder = fs::path(home ? home : user->pw_dir) / ".config";
    }
    std::error_code error;
    fs::create_directories(folder, error);
    auto item = std::make_shared<FolderItem>(folder.string());
    return item->Directory() ? item : nullptr;
}

std::shared_ptr<FolderItem> ResourcesFolder()
{
    fs::path folder;
    if (resourcesOverride) {
        folder = *resourcesOverride;
    } else {
        std::error_code error;
        const fs::path executable = fs::canonical("/proc/self/exe", error);
        if (error) {
            return nullptr;
        }
        folder = executable.parent_path().parent_path() / "Resources";
    }
    auto item = std::make_shared<FolderItem>(folder.string());
    return item->Directory() ? item : nullptr;
}
