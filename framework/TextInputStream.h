#pragma once
// Reads a whole file as bytes.

#include "framework/Types.h"

class FolderItem;

class TextInputStream {
public:
    // nullptr when the file cannot be opened for reading (missing, a folder, no access).
    static std::shared_ptr<TextInputStream> Open(const std::shared_ptr<FolderItem>& file);
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // The rest of the file, bytes as they are; what could be read when reading fails.
    String ReadAll();
    void Close();

private:
    explicit TextInputStream(int fd);
    int itsFd;
};
