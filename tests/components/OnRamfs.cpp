#include "tests/components/OnRamfs.h"

#include "tests/components/ChildProcess.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/xattr.h>

#include <filesystem>

namespace {

bool HasUserAttributes(const std::string& folder)
{
    const std::string probe = folder + "/.probe";
    WriteBytes(probe, "");
    const bool kept = setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    std::filesystem::remove(probe);
    return kept;
}

} // namespace

const std::string NoRamfs = "cannot mount a ramfs here";

std::string OnRamfs(const UserFolders& scratch, const std::function<std::string()>& body)
{
    return RunInChild([&]() -> std::string {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("none", scratch.Prefs().c_str(), "ramfs", 0, nullptr) != 0) {
            return NoRamfs;
        }
        if (HasUserAttributes(scratch.Prefs())) {
            return "the ramfs keeps user attributes after all";
        }
        return body();
    });
}
