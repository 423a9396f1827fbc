#pragma once
// Writes a file. Failures (full disk, file-size limit) are reported, never raised.

#include "framework/Types.h"

#include <sys/types.h>

class FolderItem;

class TextOutputStream {
public:
    // Creates or empties the file; nullptr when that is not possible.
    static std::shared_ptr<TextOutputStream> Create(const std::shared_ptr<FolderItem>& file);
    // Creates the file, or writes over its bytes from the start and cuts it to what was written
    // at Close: a process that ends before leaves the old bytes behind the new ones, never an
    // emptied file.
    static std::shared_ptr<TextOutputStream> Overwrite(const std::shared_ptr<FolderItem>& file);
    // Closes the file if Close was not called.
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    // Writes the bytes as they are; false once any write has failed.
    bool Write(const String& bytes);
    // Flushes to disk (fsync) and closes; true only when every byte reached the disk.
    bool Close();

private:
    explicit TextOutputStream(int fd);
    static std::shared_ptr<TextOutputStream> Open(const std::shared_ptr<FolderItem>& file, int flags);
    bool Flush();

    int itsFd;
    bool itsFailed = false;
    String itsBuffer;
    // Overwrite's stream: at Close the file is cut to the bytes written.
    bool itsCutAtClose = false;
    off_t itsLength = 0;
};
