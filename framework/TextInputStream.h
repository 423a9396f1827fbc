#pragma once
// Reads a file as bytes.

#include "framework/Types.h"

class FolderItem;

class TextInputStream {
public:
    // nullptr when the file cannot be opened for reading (missing, a folder, no access).
    static std::shared_ptr<TextInputStream> Open(const std::shared_ptr<FolderItem>& file);
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // Up to count bytes from where the stream stands, as they are: fewer at the end of the
    // file, and what could be read when reading fails.
    String Read(Int32 count);
    void Close();

private:
    explicit TextInputStream(int fd);
    int itsFd;
};
