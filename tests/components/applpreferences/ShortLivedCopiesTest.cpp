// Copies of the game that start, save once and quit while others do the same, as at a logout or a
// shutdown with several copies open: each copy is a process of its own that restores, saves and
// ends as the game ends, removing its temporary folders. No save may be lost, blanked or crossed
// with another copy's, and nothing may be left behind.
#include "components/applpreferences/ApplPreferences.h"

#include "framework/FolderItem.h"
#include "framework/qt/LayerAccess.h"
#include "tests/components/ChildProcess.h"
#include "tests/components/OnRamfs.h"
#include "tests/components/UserFolders.h"
#include "tests/support/Repetitions.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <numeric>

namespace {

namespace fs = std::filesystem;

const std::string Name = "Kalmenoの設定";

// Workers at once, each starting this many copies one after the other.
constexpr int Workers = 8;
constexpr int CopiesPerWorker = Repetitions(16);

std::string CopyData(int worker, int copy)
{
    return "copy " + std::to_string(worker) + " " + std::to_string(copy) + " " +
           std::string(64, static_cast<char>('a' + worker));
}

// Whether bytes are one copy's whole save.
bool WholeSave(const std::string& bytes)
{
    int worker = -1;
    int copy = -1;
    if (std::sscanf(bytes.c_str(), "00copy %d %d ", &worker, &copy) != 2 || worker < 0 || worker >= Workers) {
        return false;
    }
    return bytes == "00" + CopyData(worker, copy);
}

// What a run of the game does with its file: it reads it, saves data and ends as the game does.
void SaveAndEnd(const std::string& folder, const std::string& data)
{
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    ApplPreferences store;
    store.Constructor(Name, "KLMa");
    store.Restore();
    store.SetData(data);
    store.Save();
    FolderAccess::RemoveMadeTemporaryFolders();
}

// One run of the game in a process of its own.
void RunCopy(const std::string& folder, const std::string& data)
{
    const pid_t copy = StartChild([&] { SaveAndEnd(folder, data); });
    waitpid(copy, nullptr, 0);
}

// Starts count processes, each running body with its number once all of them have started, and
// gives each one's exit status (a status of 255 for one that did not exit).
std::vector<int> RunTogether(int count, const std::function<void(int)>& body)
{
    int start[2];
    if (pipe(start) != 0) {
        return std::vector<int>(count, 255);
    }
    std::vector<pid_t> processes;
    for (int index = 0; index < count; ++index) {
        processes.push_back(StartChild([&, index] {
            close(start[1]);
            char ignored;
            (void)!read(start[0], &ignored, 1);
            body(index);
        }));
    }
    close(start[0]);
    close(start[1]);
    std::vector<int> statuses;
    for (const pid_t process : processes) {
        int status = 0;
        waitpid(process, &status, 0);
        statuses.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 255);
    }
    return statuses;
}

// The workers, each with the preferences folder folderOf(worker), start their copies at once.
// After each copy, its worker checks the file: with a folder of its own, it must hold that copy's
// save; shared, one copy's whole save. Gives how many checks failed.
int CopiesAtOnce(const std::function<std::string(int)>& folderOf, bool ownFolders)
{
    const std::vector<int> failures = RunTogether(Workers, [&](int worker) {
        const std::string folder = folderOf(worker);
        const auto file = std::make_shared<FolderItem>(folder + "/" + Name);
        // The worker saves once itself, so that its copies begin with what a save loads and
        // links already in place, and cost little more than their own save.
        SaveAndEnd(folder, CopyData(worker, CopiesPerWorker));
        int failed = 0;
        for (int copy = 0; copy < CopiesPerWorker; ++copy) {
            const std::string data = CopyData(worker, copy);
            RunCopy(folder, data);
            const std::string bytes = ReadBytes(file->NativePath());
            const bool landed = ownFolders ? bytes == "00" + data : WholeSave(bytes);
            failed += landed && file->MacCreator() == "KLMa" && file->MacType() == "PREF" ? 0 : 1;
        }
        _exit(std::min(failed, 255));
    });
    return std::accumulate(failures.begin(), failures.end(), 0);
}

// "" when each folder holds the one file and nothing else, no temporary folder is left in the
// system's temporary folder, and no temporary record of the codes is left.
std::string NothingLeft(const std::vector<std::string>& folders, const std::string& temporary,
                        const std::string& state)
{
    for (const std::string& folder : folders) {
        if (const auto names = NamesIn(folder); names != std::vector<std::string>{Name}) {
            std::string listed;
            for (const std::string& name : names) {
                listed += " \"" + name + "\"";
            }
            return folder + " holds" + listed;
        }
    }
    if (const auto left = NamesIn(temporary); !left.empty()) {
        return "the temporary folder holds " + left.front();
    }
    for (const std::string& name : NamesIn(state + "/kalmeno")) {
        if (name != "file-codes" && name != "file-codes.lock") {
            return "the records' folder holds " + name;
        }
    }
    return "";
}

// Where the copies keep their files: prefs/ in the scratch tree, and the system's temporary folder.
struct Places {
    std::string prefs;
    std::string temporary;
    std::string state;
};

std::string CopiesWithOwnFolders(const Places& places)
{
    std::vector<std::string> folders;
    for (int worker = 0; worker < Workers; ++worker) {
        folders.push_back(places.prefs + "/worker" + std::to_string(worker));
        fs::create_directory(folders.back());
    }
    if (const int failed = CopiesAtOnce([&](int worker) { return folders[worker]; }, true)) {
        return std::to_string(failed) + " saves lost or crossed out of " +
               std::to_string(Workers * CopiesPerWorker);
    }
    return NothingLeft(folders, places.temporary, places.state);
}

// Four copies of one folder released together, as at a logout, round after round: after each
// round the file is one copy's whole save, and nothing is left.
std::string CopiesReleasedTogether(const Places& places)
{
    constexpr int Rounds = Repetitions(40);
    constexpr int Copies = 4;
    const auto file = std::make_shared<FolderItem>(places.prefs + "/" + Name);
    for (int round = 0; round < Rounds; ++round) {
        RunTogether(Copies, [&](int copy) { SaveAndEnd(places.prefs, CopyData(copy, round)); });
        const std::string after = "after round " + std::to_string(round) + ": ";
        if (!WholeSave(ReadBytes(file->NativePath())) || file->MacCreator() != "KLMa" ||
            file->MacType() != "PREF") {
            return after + "the file is not a whole save";
        }
        if (const std::string left = NothingLeft({places.prefs}, places.temporary, places.state); !left.empty()) {
            return after + left;
        }
    }
    return "";
}

std::string CopiesOfOneFolder(const Places& places)
{
    if (const int failed = CopiesAtOnce([&](int) { return places.prefs; }, false)) {
        return std::to_string(failed) + " checks failed out of " + std::to_string(Workers * CopiesPerWorker);
    }
    return NothingLeft({places.prefs}, places.temporary, places.state);
}

// The file systems: a disk (the temporary folder's), a tmpfs, a ramfs (no extended attributes, so
// the codes are kept in the layer's record), and the preferences on a disk with the system's
// temporary folder on a tmpfs, so that the copies use a temporary folder beside the file.
class ShortLivedCopies : public ::testing::TestWithParam<std::string> {
protected:
    void Check(const std::function<std::string(const Places&)>& copies)
    {
        const std::string where = GetParam();
        UserFolders scratch(where == "shm" ? "/dev/shm" : "");
        Places places{scratch.Prefs(), scratch.Temporary(), scratch.Root() + "/state"};
        if (where == "ramfs") {
            const std::string result = OnRamfs(scratch, [&] {
                places.temporary = scratch.Prefs() + "/.tmp";
                fs::create_directory(places.temporary);
                setenv("TMPDIR", places.temporary.c_str(), 1);
                places.prefs = scratch.Prefs() + "/prefs";
                fs::create_directory(places.prefs);
                return copies(places);
            });
            if (result == NoRamfs) {
                GTEST_SKIP() << result;
            }
            EXPECT_EQ(result, "");
            return;
        }
        std::optional<ScratchFolder> otherFileSystem;
        if (where == "other") {
            otherFileSystem.emplace("/dev/shm");
            places.temporary = otherFileSystem->Path();
            setenv("TMPDIR", places.temporary.c_str(), 1);
        }
        EXPECT_EQ(copies(places), "");
    }
};

class CopiesWithOwnFoldersTest : public ShortLivedCopies {};

TEST_P(CopiesWithOwnFoldersTest, EachKeepsItsSave)
{
    Check(CopiesWithOwnFolders);
}

// Folders of their own beside the file would share nothing: the copies share the system's
// temporary folder.
INSTANTIATE_TEST_SUITE_P(FileSystems, CopiesWithOwnFoldersTest, ::testing::Values("disk", "shm", "ramfs"),
                         [](const auto& info) { return info.param; });

class CopiesOfOneFolderTest : public ShortLivedCopies {};

TEST_P(CopiesOfOneFolderTest, KeepOneWholeFile)
{
    Check(CopiesOfOneFolder);
}

INSTANTIATE_TEST_SUITE_P(FileSystems, CopiesOfOneFolderTest, ::testing::Values("disk", "shm", "ramfs", "other"),
                         [](const auto& info) { return info.param; });

class CopiesReleasedTogetherTest : public ShortLivedCopies {};

TEST_P(CopiesReleasedTogetherTest, LeaveOneWholeFileAndNothingElse)
{
    Check(CopiesReleasedTogether);
}

// The system's temporary folder on a tmpfs, and the temporary folder beside the file.
INSTANTIATE_TEST_SUITE_P(FileSystems, CopiesReleasedTogetherTest, ::testing::Values("shm", "other"),
                         [](const auto& info) { return info.param; });

} // namespace
