// Several processes of one user saving at the same moment: every save must land whole in
// its own file, and nothing may be left in the temporary folder they share.
#include "components/applpreferences/ApplPreferences.h"

#include "framework/FolderItem.h"
#include "tests/components/ChildProcess.h"
#include "tests/components/UserFolders.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

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

TEST(ConcurrentSavesTest, SaversWithTheirOwnFoldersShareOnlyTheTemporaryFolder)
{
    UserFolders scratch;
    std::vector<std::string> folders;
    for (int saver = 0; saver < 4; ++saver) {
        folders.push_back(scratch.Prefs() + "/saver" + std::to_string(saver));
        fs::create_directory(folders.back());
    }
    const std::string temporary =
        std::make_shared<FolderItem>(folders[0] + "/" + Name)->TemporaryFolder()->NativePath();
    ASSERT_EQ(fs::path(temporary).parent_path(), fs::path(scratch.Temporary())) << "the savers share one";

    EXPECT_EQ(SaveAtOnce(folders, true), 0) << "saves lost or crossed out of " << 4 * Rounds;
    for (int saver = 0; saver < 4; ++saver) {
        EXPECT_EQ(NamesBesideTheTemporaryFolder(folders[saver]), std::vector<std::string>{Name});
        EXPECT_EQ(SaveIn(ReadBytes(folders[saver] + "/" + Name), 4),
                  "saver " + std::to_string(saver) + " round 299");
    }
    EXPECT_EQ(FilesUnder(scratch.Temporary()), std::vector<std::string>{});
}

TEST(ConcurrentSavesTest, SaversOfOneFolderKeepOneWholeFile)
{
    UserFolders scratch;
    const std::vector<std::string> folders(2, scratch.Prefs());

    EXPECT_EQ(SaveAtOnce(folders, false), 0) << "checks failed out of " << 2 * Rounds;
    EXPECT_EQ(NamesBesideTheTemporaryFolder(scratch.Prefs()), std::vector<std::string>{Name})
        << "no second file, so the store still knows its own";
    const std::string last = SaveIn(ReadBytes(scratch.Prefs() + "/" + Name), 2);
    EXPECT_TRUE(last == "saver 0 round 299" || last == "saver 1 round 299") << last;
    EXPECT_EQ(FilesUnder(scratch.Temporary()), std::vector<std::string>{});
}

} // namespace
