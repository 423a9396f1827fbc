#pragma once
// A file system without user extended attributes (ramfs) over a test's preferences folder, seen
// only by a child process with a mount namespace of its own.

#include "tests/components/UserFolders.h"

#include <functional>
#include <string>

// What OnRamfs gives where the test may not mount; the test is then skipped.
extern const std::string NoRamfs;

// Runs body in a child that sees a fresh ramfs over the scratch folder's preferences folder;
// gives body's result ("" for success), NoRamfs, or how the child failed.
std::string OnRamfs(const UserFolders& scratch, const std::function<std::string()>& body);
