#pragma once
// A fresh folder tree for one file test, standing in for the user's folders: prefs/ is the
// preferences folder (XDG_CONFIG_HOME), tmp/ the system's temporary folder (TMPDIR) and
// state/ the layer's own records (XDG_STATE_HOME). Removed again at the end.

#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

class ScratchFolder {
public:
    // The tree lies in base, whose file system the test is about.
    explicit ScratchFolder(const std::string& base = "/tmp");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Root() const { return itsRoot; }
    std::string Prefs() const { return itsRoot + "/prefs"; }
    // Points the environment at this tree again (a child process may have moved it).
    void Activate() const;

private:
    static constexpr const char* Variables[] = {"XDG_CONFIG_HOME", "TMPDIR", "XDG_STATE_HOME"};

    std::string itsRoot;
    // What the environment held before, put back at the end.
    std::optional<std::string> itsSaved[3];
};

// Whole-file helpers; reading a missing file gives "".
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The names in a folder, sorted; none for a missing folder.
std::vector<std::string> NamesIn(const std::string& folder);
struct stat StatOf(const std::string& path);
