#pragma once
// A fresh folder for one test, removed with everything in it afterwards, and whole-file
// helpers for the files tests make.

#include <sys/stat.h>

#include <string>
#include <vector>

class ScratchFolder {
public:
    // Made in base, by default the process's temporary folder (TMPDIR); "/dev/shm" for a tmpfs.
    // Throws when no folder can be made there.
    explicit ScratchFolder(const std::string& base = "");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return itsPath; }
    std::string operator/(const std::string& name) const { return itsPath + "/" + name; }

    // Writes a file of these bytes; its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string itsPath;
};

// Reading a missing file gives "".
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The names in a folder, sorted; none for a missing folder.
std::vector<std::string> NamesIn(const std::string& folder);
// Every entry under folder that is not a folder, at any depth; none for a missing folder.
std::vector<std::string> FilesUnder(const std::string& folder);
struct stat StatOf(const std::string& path);
