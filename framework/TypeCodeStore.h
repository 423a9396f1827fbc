#pragma once
// Type and creator codes of files on file systems without extended attributes, kept in one
// record file of the user's. A record holds the file's device and inode with its size and
// modification time, so a file that was replaced or rewritten since is not taken for it.

#include "framework/Types.h"

#include <chrono>

class TypeCodeStore {
public:
    // How long a change waits at most for another process's lock on the record.
    static constexpr std::chrono::seconds LockBound{5};

    explicit TypeCodeStore(String recordPath);

    // The store in $XDG_STATE_HOME (else ~/.local/state)/kalmeno.
    static TypeCodeStore Default();

    // The code kept under key ("type", "creator") for the file; "" when there is none.
    String Code(const String& filePath, const String& key) const;
    // An empty code removes the record. False when the file or the record cannot be had.
    bool SetCode(const String& filePath, const String& key, const String& code) const;

private:
    String itsRecordPath;
};
