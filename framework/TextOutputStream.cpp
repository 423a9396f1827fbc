#include "framework/TextOutputStream.h"

#include "framework/FolderItem.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Bytes gathered before they are written.
constexpr std::size_t BufferSize = 65536;

} // namespace

std::shared_ptr<TextOutputStream> TextOutputStream::Create(const std::shared_ptr<FolderItem>& file)
{
    return Open(file, O_TRUNC);
}

std::shared_ptr<TextOutputStream> TextOutputStream::Overwrite(const std::shared_ptr<FolderItem>& file)
{
    return Open(file, 0);
}

std::shared_ptr<TextOutputStream> TextOutputStream::Open(const std::shared_ptr<FolderItem>& file, int flags)
{
    if (!file) {
        return nullptr;
    }
    const int fd = open(file->NativePath().c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666);
    if (fd < 0) {
        return nullptr;
    }
    auto stream = std::shared_ptr<TextOutputStream>(new TextOutputStream(fd));
    stream->itsCutAtClose = (flags & O_TRUNC) == 0;
    return stream;
}

TextOutputStream::TextOutputStream(int fd) : itsFd(fd) {}

TextOutputStream::~TextOutputStream()
{
    Close();
}

bool TextOutputStream::Write(const String& bytes)
{
    if (itsFd < 0) {
        return false;
    }
    itsBuffer += bytes;
    if (itsBuffer.size() >= BufferSize) {
        Flush();
    }
    return !itsFailed;
}

bool TextOutputStream::Flush()
{
    std::size_t done = 0;
    while (!itsFailed && done < itsBuffer.size()) {
        const ssize_t written = write(itsFd, itsBuffer.data() + done, itsBuffer.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        itsFailed = written <= 0;
        done += itsFailed ? 0 : static_cast<std::size_t>(written);
        itsLength += itsFailed ? 0 : written;
    }
    itsBuffer.clear();
    return !itsFailed;
}

bool TextOutputStream::Close()
{
    if (itsFd < 0) {
        return false;
    }
    // After a failed write nothing is cut off: the file is never shorter than before.
    itsFailed = !Flush() || (itsCutAtClose && ftruncate(itsFd, itsLength) != 0) || fsync(itsFd) != 0;
    itsFailed = close(itsFd) != 0 || itsFailed;
    itsFd = -1;
    return !itsFailed;
}
