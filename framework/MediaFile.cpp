#include "framework/MediaFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

bool IsRegularFile(const struct stat& info)
{
    return S_ISREG(info.st_mode);
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : itsFd(fd) {}
    ~Descriptor()
    {
        if (itsFd >= 0) {
            close(itsFd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Fd() const { return itsFd; }

private:
    int itsFd;
};

} // namespace

std::optional<String> MediaFile::Read(const String& path)
{
    // The look before opening keeps devices from being opened at all; the look after opening
    // is the one that counts, since the name may have been replaced in between. O_NONBLOCK
    // keeps the open of a pipe or a device from waiting.
    struct stat info = {};
    if (stat(path.c_str(), &info) != 0 || !IsRegularFile(info)) {
        return std::nullopt;
    }
    const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Fd() < 0 || fstat(file.Fd(), &info) != 0 || !IsRegularFile(info) ||
        static_cast<std::size_t>(info.st_size) > MaxBytes) {
        return std::nullopt;
    }
    // The file may grow while it is read: one byte more than the bound is asked for, to see it.
    String bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > MaxBytes) {
                return std::nullopt;
            }
            bytes.resize(std::min(bytes.size() * 2, MaxBytes + 1));
        }
        const ssize_t got = read(file.Fd(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}
