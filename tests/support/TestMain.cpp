// Every test program starts here: folders of its own, the layer set up headless, then
// GoogleTest.
#include "components/media/Media.h"
#include "framework/Runtime.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// A folder of this process's own under the temporary folder it inherited, with TMPDIR, HOME and
// the XDG folders pointed into it, so that no two test processes share a folder and none
// touches the user's. Removed at the end of main (a forked child that exits leaves it alone).
class OwnFolders {
public:
    OwnFolders()
    {
        namespace fs = std::filesystem;
        // Another user may pass through (a test runs a child as one), but not look in.
        constexpr fs::perms passable = fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec;
        const fs::path root = itsRoot.Path();
        const fs::path home = root / "home";
        const struct {
            const char* variable;
            fs::path folder;
            fs::perms mode;
        } folders[] = {
            {"TMPDIR", root / "tmp", passable},
            {"HOME", home, passable},
            {"XDG_CONFIG_HOME", home / ".config", passable},
            {"XDG_STATE_HOME", home / ".local/state", passable},
            {"XDG_DATA_HOME", home / ".local/share", passable},
            {"XDG_CACHE_HOME", home / ".cache", passable},
            {"XDG_RUNTIME_DIR", root / "runtime", fs::perms::owner_all},
        };
        fs::permissions(root, passable);
        for (const auto& [variable, folder, mode] : folders) {
            fs::create_directories(folder);
            fs::permissions(folder, mode);
            setenv(variable, folder.c_str(), 1);
        }
    }

private:
    ScratchFolder itsRoot;
};

} // namespace

int main(int argc, char** argv)
{
    const OwnFolders folders;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const Runtime runtime = RunFrameworkInitialization(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ReleaseMedia();
    return result;
}
