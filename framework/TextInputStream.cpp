#include "framework/TextInputStream.h"

#include "framework/FolderItem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

std::shared_ptr<TextInputStream> TextInputStream::Open(const std::shared_ptr<FolderItem>& file)
{
    if (!file) {
        return nullptr;
    }
    const int fd = open(file->NativePath().c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info = {};
    if (fd < 0 || fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
    return std::shared_ptr<TextInputStream>(new TextInputStream(fd));
}

TextInputStream::TextInputStream(int fd) : itsFd(fd) {}

TextInputStream::~TextInputStream()
{
    Close();
}

String TextInputStream::Read(Int32 count)
{
    String bytes;
    char buffer[65536];
    while (itsFd >= 0 && std::cmp_less(bytes.size(), count)) {
        const std::size_t wanted = std::min(sizeof buffer, static_cast<std::size_t>(count) - bytes.size());
        const ssize_t got = read(itsFd, buffer, wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

void TextInputStream::Close()
{
    if (itsFd >= 0) {
        close(itsFd);
        itsFd = -1;
    }
}
