#pragma once
// Writes a new file. Failures (full disk, file-size limit) are reported, never raised.

#include "framework/Types.h"

class FolderItem;

class TextOutputStream {
public:
    // Creates or empties the file; nullptr when that is not possible.
    static std::shared_ptr<TextOutputStream> Create(const std::shared_ptr<FolderItem>& file);
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
    bool Flush();

    int itsFd;
    bool itsFailed = false;
    String itsBuffer;
};
