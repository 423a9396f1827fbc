#include "tests/components/UserFolders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::optional<std::string> Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace

UserFolders::UserFolders(const std::string& base)
    : itsSaved{Variable(Variables[0]), Variable(Variables[1]), Variable(Variables[2])}, itsScratch(base)
{
    for (const char* sub : {"prefs", "tmp", "state"}) {
        fs::create_directory(Root() + "/" + sub);
    }
    Activate();
}

UserFolders::~UserFolders()
{
    std::error_code error;
    fs::permissions(Prefs(), fs::perms::owner_all, fs::perm_options::add, error);
    for (int i = 0; i < 3; ++i) {
        if (itsSaved[i]) {
            setenv(Variables[i], itsSaved[i]->c_str(), 1);
        } else {
            unsetenv(Variables[i]);
        }
    }
}

void UserFolders::Activate() const
{
    setenv("XDG_CONFIG_HOME", Prefs().c_str(), 1);
    setenv("TMPDIR", Temporary().c_str(), 1);
    setenv("XDG_STATE_HOME", (Root() + "/state").c_str(), 1);
}

bool UserFolders::HandToThePlayer() const
{
    if (geteuid() != 0) {
        return true;
    }
    for (const auto& entry : fs::recursive_directory_iterator(Root())) {
        if (lchown(entry.path().c_str(), Player, Player) != 0) {
            return false;
        }
    }
    return chown(Root().c_str(), Player, Player) == 0;
}
