// Several processes of one user saving at the same moment: every save must land whole in
// its own file, and nothing may be left in the temporary folders.
#include "components/applpreferences/ApplPreferences.h"

#include "framework/FolderItem.h"
#include "framework/TypeCodeStore.h"
#include "tests/components/ChildProcess.h"
#include "tests/components/OnRamfs.h"
#include "tests/components/UserFolders.h"
#include "tests/support/Repetitions.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

const std::string Name = "Kalmenoの設定";

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
// rounds times and checks its file after every save; gives the number of checks that failed.
int SaveAtOnce(const std::vector<std::string>& folders, bool ownFiles, int rounds)
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
            for (int round = 0; round < rounds; ++round) {
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
        failed += WIFEXITED(status) ? WEXITSTATUS(status) : rounds;
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

// Rounds of savers that each save their own file beside a record of the codes: each save waits
// its turn at the record's lock, and without the lock most saves lose their codes even in so few.
constexpr int RoundsAtTheRecord = 20;

// Four savers, each with a folder of its own in the preferences folder.
std::string SaversWithOwnFolders(const UserFolders& scratch, int rounds)
{
    constexpr int savers = 4;
    std::vector<std::string> folders;
    for (int saver = 0; saver < savers; ++saver) {
        folders.push_back(scratch.Prefs() + "/saver" + std::to_string(saver));
        fs::create_directory(folders.back());
    }
    // The system's temporary folder on the same file system serves them all.
    const auto temporary = std::make_shared<FolderItem>(FileOf(folders[0]))->TemporaryFolder();
    const bool shared = StatOf(scratch.Prefs()).st_dev == StatOf(scratch.Temporary()).st_dev;
    if (shared && (!temporary || fs::path(temporary->NativePath()).parent_path() != scratch.Temporary())) {
        return "the savers do not share the system's temporary folder";
    }
    if (const int failed = SaveAtOnce(folders, true, rounds)) {
        return std::to_string(failed) + " saves lost or crossed out of " + std::to_string(savers * rounds);
    }
    for (int saver = 0; saver < savers; ++saver) {
        const std::string last = SaveIn(ReadBytes(FileOf(folders[saver])), savers);
        if (last != "saver " + std::to_string(saver) + " round " + std::to_string(rounds - 1)) {
            return "saver " + std::to_string(saver) + "'s file holds " + last;
        }
    }
    return OneFileEach(folders);
}

// Two savers with the same preferences folder.
std::string SaversOfOneFolder(const UserFolders& scratch)
{
    constexpr int Rounds = Repetitions(80);
    const std::vector<std::string> folders(2, scratch.Prefs());
    if (const int failed = SaveAtOnce(folders, false, Rounds)) {
        return std::to_string(failed) + " checks failed out of " + std::to_string(2 * Rounds);
    }
    const std::string last = SaveIn(ReadBytes(FileOf(scratch.Prefs())), 2);
    const std::string round = " round " + std::to_string(Rounds - 1);
    if (last != "saver 0" + round && last != "saver 1" + round) {
        return "the file holds " + last;
    }
    // No second file: the store still knows its own.
    return OneFileEach({scratch.Prefs()});
}

// Runs check on a ramfs; skips where the test may not mount.
void OnRamfsCheck(const std::function<std::string(const UserFolders&)>& check)
{
    UserFolders scratch;
    const std::string result = OnRamfs(scratch, [&] { return check(scratch); });
    if (result == NoRamfs) {
        GTEST_SKIP() << result;
    }
    EXPECT_EQ(result, "");
}

// On a disk, whose file system keeps the codes with each file, and on a ramfs, where the layer
// keeps them in one record that every saver changes.
class ConcurrentSavesTest : public ::testing::TestWithParam<std::string> {
protected:
    void Check(const std::function<std::string(const UserFolders&)>& savers)
    {
        if (GetParam() == "disk") {
            UserFolders scratch;
            EXPECT_EQ(savers(scratch), "");
            return;
        }
        OnRamfsCheck(savers);
    }
};

TEST_P(ConcurrentSavesTest, SaversWithTheirOwnFoldersEachKeepTheirFile)
{
    const int rounds = GetParam() == "ramfs" ? RoundsAtTheRecord : Repetitions(80);
    Check([rounds](const UserFolders& scratch) { return SaversWithOwnFolders(scratch, rounds); });
}

TEST_P(ConcurrentSavesTest, SaversOfOneFolderKeepOneWholeFile)
{
    Check(SaversOfOneFolder);
}

INSTANTIATE_TEST_SUITE_P(FileSystems, ConcurrentSavesTest, ::testing::Values("disk", "ramfs"),
                         [](const auto& info) { return info.param; });

// The lock that keeps the record of the codes whole, as a run by root may leave it.
std::string RecordLockOf(const UserFolders& scratch)
{
    const std::string lock = scratch.Root() + "/state/kalmeno/file-codes.lock";
    fs::create_directories(fs::path(lock).parent_path());
    WriteBytes(lock, "");
    return lock;
}

TEST(RecordLockTest, ALockFileTheSaversCannotWriteStillKeepsTheirCodes)
{
    OnRamfsCheck([](const UserFolders& scratch) -> std::string {
        // Read-only to everyone, root included.
        const std::string lock = RecordLockOf(scratch);
        if (mount(lock.c_str(), lock.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            mount(nullptr, lock.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            return "cannot make the lock file read-only";
        }
        return SaversWithOwnFolders(scratch, RoundsAtTheRecord);
    });
}

// A lock file that root left as it makes it, which the player cannot even read.
TEST(RecordLockTest, ALockFileTheSaversCannotReadStillKeepsTheirCodes)
{
    OnRamfsCheck([](const UserFolders& scratch) -> std::string {
        const std::string lock = RecordLockOf(scratch);
        if (!scratch.HandToThePlayer() || lchown(lock.c_str(), 0, 0) != 0 || chmod(lock.c_str(), 0600) != 0) {
            return "cannot hand the folders to the player";
        }
        if (setgid(UserFolders::Player) != 0 || setuid(UserFolders::Player) != 0) {
            return "cannot become the player";
        }
        return SaversWithOwnFolders(scratch, RoundsAtTheRecord);
    });
}

// A run stopped (^Z) while it held the lock holds it for good: the game's save at quit waits once
// for it, not once per code it sets, and still saves.
TEST(RecordLockTest, ALockHeldByAStoppedRunCostsAQuitOneWait)
{
    OnRamfsCheck([](const UserFolders& scratch) -> std::string {
        const std::string lock = RecordLockOf(scratch);
        const pid_t holder = StartChild([&] {
            const int fd = open(lock.c_str(), O_RDONLY);
            if (fd >= 0 && flock(fd, LOCK_EX) == 0) {
                raise(SIGSTOP);
            }
        });
        int status = 0;
        if (waitpid(holder, &status, WUNTRACED) != holder || !WIFSTOPPED(status)) {
            return "the holder did not take the lock";
        }
        const auto start = std::chrono::steady_clock::now();
        ApplPreferences store;
        store.Constructor(Name, "KLMa");
        store.Restore();
        store.SetData("A");
        store.Save();
        // The rest of a save takes a tiny part of the bound, however loaded the machine.
        const auto waited = std::chrono::steady_clock::now() - start;
        KillChild(holder);
        const auto file = std::make_shared<FolderItem>(FileOf(scratch.Prefs()));
        if (ReadBytes(file->NativePath()) != "00A" || file->MacCreator() != "KLMa" || file->MacType() != "PREF") {
            return "the file was not saved";
        }
        if (waited >= 2 * TypeCodeStore::LockBound) {
            return "the save waited " +
                   std::to_string(std::chrono::duration_cast<std::chrono::seconds>(waited).count()) + " s";
        }
        return "";
    });
}

} // namespace
