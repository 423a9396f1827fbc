#pragma once
// A fresh folder tree for one file test, standing in for the user's folders: prefs/ is the
// preferences folder (XDG_CONFIG_HOME), tmp/ the system's temporary folder (TMPDIR) and
// state/ the layer's own records (XDG_STATE_HOME). Removed again at the end.

#include "tests/support/ScratchFolder.h"

#include <sys/types.h>

#include <optional>
#include <string>

class UserFolders {
public:
    // The tree lies in base, whose file system the test is about; by default in the
    // temporary folder.
    explicit UserFolders(const std::string& base = "");
    ~UserFolders();
    UserFolders(const UserFolders&) = delete;
    UserFolders& operator=(const UserFolders&) = delete;

    const std::string& Root() const { return itsScratch.Path(); }
    std::string Prefs() const { return Root() + "/prefs"; }
    std::string Temporary() const { return Root() + "/tmp"; }
    // Points the environment at this tree again (a child process may have moved it).
    void Activate() const;

    // Root may write anywhere; the player is an ordinary user, whom tests run as root become.
    static constexpr uid_t Player = 65534;
    // As root, gives the tree to the player; false when that fails.
    bool HandToThePlayer() const;

private:
    static constexpr const char* Variables[] = {"XDG_CONFIG_HOME", "TMPDIR", "XDG_STATE_HOME"};

    // What the environment held before, put back at the end.
    std::optional<std::string> itsSaved[3];
    ScratchFolder itsScratch;
};
