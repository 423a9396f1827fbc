// Several processes of one user saving at the same moment: every save must land whole in
// its own file, and nothing may be left in the temporary folders.
#include "components/applpreferences/ApplPreferences.h"

#include "framework/FolderItem.h"
#include "tests/components/ChildProcess.h"
#include "tests/components/OnRamfs.h"
#include "tests/components/UserFolders.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

const std::string Name = "Kalmenoの設定";
constexpr int Rounds = 300;

// The data of one save: whose it is, which round, and enough bytes to show a torn write.
std::string SaveData(int saver, int round)
{
    return "saver " + std::to_string(saver) + " round " + std::to_string(round) + " " +
           std::string(2000, static_cast<char>('a' + saver));
}

// Which save the bytes of a file are: "saver 1 round 7", or "not a whole save".
std::string SaveIn(const std::string& bytes, int savers)
{
    for (int saver = 0; saver < savers; ++saver) {
        const std::string prefix = "00saver " + std::to_string(saver) + " round ";
        if (bytes.rfind(prefix, 0) == 0) {
            const int round = std::atoi(bytes.c_str() + prefix.size());
            if (bytes == "00" + SaveData(saver, round)) {
                return bytes.substr(2, bytes.find(' ', prefix.size()) - 2);
            }
        }
    }
    return "not a whole save";
}

// Runs one saver per entry of folders at once, each in a process of its own with that folder
// as its preferences folder, all with the same temporary folder. Each saves
// Rounds times and checks its file after every save; gives the number of checks that failed.
int SaveAtOnce(const std::vector<std::string>& folders, bool ownFiles)
{
    const int savers = static_cast<int>(folders.size());
    int start[2];
    if (pipe(start) != 0) {
        return -1;
    }
    std::vector<pid_t> children;
    for (int saver = 0; saver < savers; ++saver) {
        children.push_back(StartChild([&, saver] {
            close(start[1]);
            char ignored;
            (void)!read(start[0], &ignored, 1);
            setenv("XDG_CONFIG_HOME", folders[saver].c_str(), 1);
            const auto file = std::make_shared<FolderItem>(folders[saver] + "/" + Name);
            int failed = 0;
            for (int round = 0; round < Rounds; ++round) {
                ApplPreferences store;
                store.Constructor(Name, "KLMa");
                store.Restore();
                store.SetData(SaveData(saver, round));
                store.Save();
                const std::string bytes = ReadBytes(file->NativePath());
                const bool landed = ownFiles ? bytes == "00" + SaveData(saver, round)
                                             : SaveIn(bytes, savers) != "not a whole save";
                failed += landed && file->MacCreator() == "KLMa" && file->MacType() == "PREF" ? 0 : 1;
            }
            _exit(std::min(failed, 255));
        }));
    }
    close(start[0]);
    close(start[1]);
    int failed = 0;
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        failed += WIFEXITED(status) ? WEXITSTATUS(status) : Rounds;
    }
    return failed;
}

// The names in folder other than the temporary folder the layer keeps there.
std::vector<std::string> NamesBesideTheTemporaryFolder(const std::string& folder)
{
    std::vector<std::string> names = NamesIn(folder);
    std::erase(names, ".kalmeno-temp");
    return names;
}

std::string FileOf(const std::string& folder)
{
    return folder + "/" + Name;
}

// "" when each folder holds one file, and no shadow is left in its temporary folder.
std::string OneFileEach(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        const std::vector<std::string> names = NamesBesideTheTemporaryFolder(folder);
        if (names != std::vector<std::string>{Name}) {
            return folder + " holds " + std::to_string(names.size()) + " names";
        }
        const auto temporary = std::make_shared<FolderItem>(FileOf(folder))->TemporaryFolder();
        if (!temporary || !FilesUnder(temporary->NativePath()).empty()) {
            return "shadows are left in the temporary folder of " + folder;
        }
    }
    return "";
}

// Four savers, each with a folder of its own in the preferences folder.
std::string SaversWithOwnFolders(const UserFolders& scratch)
{
    std::vector<std::string> folders;
    for (int saver = 0; saver < 4; ++saver) {
        folders.push_back(scratch.Prefs() + "/saver" + std::to_string(saver));
        fs::create_directory(folders.back());
    }
    // The system's temporary folder on the same file system serves them all.
    const auto temporary = std::make_shared<FolderItem>(FileOf(folders[0]))->TemporaryFolder();
    const bool shared = StatOf(scratch.Prefs()).st_dev == StatOf(scratch.Temporary()).st_dev;
    if (shared && (!temporary || fs::path(temporary->NativePath()).parent_path() != scratch.Temporary())) {
        return "the savers do not share the system's temporary folder";
    }
    if (const int failed = SaveAtOnce(folders, true)) {
        return std::to_string(failed) + " saves lost or crossed out of " + std::to_string(4 * Rounds);
    }
    for (int saver = 0; saver < 4; ++saver) {
        const std::string last = SaveIn(ReadBytes(FileOf(folders[saver])), 4);
        if (last != "saver " + std::to_string(saver) + " round 299") {
            return "saver " + std::to_string(saver) + "'s file holds " + last;
        }
    }
    return OneFileEach(folders);
}

// Two savers with the same preferences folder.
std::string SaversOfOneFolder(const UserFolders& scratch)
{
    const std::vector<std::string> folders(2, scratch.Prefs());
    if (const int failed = SaveAtOnce(folders, false)) {
        return std::to_string(failed) + " checks failed out of " + std::to_string(2 * Rounds);
    }
    const std::string last = SaveIn(ReadBytes(FileOf(scratch.Prefs())), 2);
    if (last != "saver 0 round 299" && last != "saver 1 round 299") {
        return "the file holds " + last;
    }
    // No second file: the store still knows its own.
    return OneFileEach({scratch.Prefs()});
}

// On a disk, whose file system keeps the codes with each file, and on a ramfs, where the layer
// keeps them in one record that every saver changes.
class ConcurrentSavesTest : public ::testing::TestWithParam<std::string> {
protected:
    void Check(const std::function<std::string(const UserFolders&)>& savers)
    {
        UserFolders scratch;
        if (GetParam() == "disk") {
            EXPECT_EQ(savers(scratch), "");
            return;
        }
        const std::string result = OnRamfs(scratch, [&] { return savers(scratch); });
        if (result == NoRamfs) {
            GTEST_SKIP() << result;
        }
        EXPECT_EQ(result, "");
    }
};

TEST_P(ConcurrentSavesTest, SaversWithTheirOwnFoldersEachKeepTheirFile)
{
    Check(SaversWithOwnFolders);
}

TEST_P(ConcurrentSavesTest, SaversOfOneFolderKeepOneWholeFile)
{
    Check(SaversOfOneFolder);
}

INSTANTIATE_TEST_SUITE_P(FileSystems, ConcurrentSavesTest, ::testing::Values("disk", "ramfs"),
                         [](const auto& info) { return info.param; });

} // namespace
