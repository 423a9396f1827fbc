// The preference store against what a player's machine does to it: kills in the middle of a
// save, a full or limited disk, a read-only folder, file systems with and without extended
// attributes, and damaged files.
#include "components/applpreferences/ApplPreferences.h"

#include "framework/FolderItem.h"
#include "tests/components/ChildProcess.h"
#include "tests/components/OnRamfs.h"
#include "tests/components/UserFolders.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>

namespace {

namespace fs = std::filesystem;

const std::string Name = "Kalmenoの設定";
// Too long for a file record (over 63 bytes of MacJapanese): its saves cannot exchange and
// take the fallback path.
const std::string UnrecordableName = Name + std::string(60, 'x');

std::unique_ptr<ApplPreferences> RestoredStore(const std::string& name = Name)
{
    auto store = std::make_unique<ApplPreferences>();
    store->Constructor(name, "KLMa");
    store->Restore();
    return store;
}

void SaveData(const std::string& data, const std::string& name = Name)
{
    auto store = RestoredStore(name);
    store->SetData(data);
    store->Save();
}

// "" when the file under name in folder is the store's, holding "00" + data.
std::string CheckFile(const std::string& folder, const std::string& name, const std::string& data)
{
    const auto file = std::make_shared<FolderItem>(folder + "/" + name);
    const std::string bytes = ReadBytes(file->NativePath());
    if (!file->Exists()) {
        return name + " is missing";
    }
    if (bytes != "00" + data) {
        return name + " holds " + std::to_string(bytes.size()) + " bytes that are not the expected ones";
    }
    if (file->MacType() != "PREF" || file->MacCreator() != "KLMa") {
        return name + " lost its codes";
    }
    return "";
}

// What a child saving in a loop reports: as a save begins, which contents it writes ('o' or
// 'n'); once it is done, the same with how long it took.
struct SaveReport {
    char writing = 0;
    std::int64_t microseconds = -1;
};

// Waits for the next report; false when the child stopped reporting.
bool NextReport(int reports, SaveReport& report)
{
    // Only a guard against a hung child: a save never takes this long, however loaded the machine.
    constexpr int HungAfterMilliseconds = 120000;
    pollfd waiting{reports, POLLIN, 0};
    return poll(&waiting, 1, HungAfterMilliseconds) > 0 && read(reports, &report, sizeof report) == sizeof report;
}

// Waits for the next finished save and gives its report; microseconds is -1 when the child
// stopped reporting.
SaveReport NextFinishedSave(int reports)
{
    SaveReport report;
    while (NextReport(reports, report) && report.microseconds < 0) {
    }
    return report;
}

// The files in folder, none when it is no folder.
std::size_t FilesIn(const std::string& folder)
{
    return fs::is_directory(folder) ? FilesUnder(folder).size() : 0;
}

// The shadows and the temporary records of the codes that killed saves left.
struct Strays {
    std::size_t shadows = 0;
    std::size_t records = 0;

    explicit Strays(const UserFolders& scratch)
        : shadows(FilesIn(scratch.Temporary() + "/kalmeno-" + std::to_string(getuid())) +
                  FilesIn(scratch.Prefs() + "/.kalmeno-temp"))
    {
        const std::string record = "file-codes.";
        for (const std::string& name : NamesIn(scratch.Root() + "/state/kalmeno")) {
            records += name.rfind(record, 0) == 0 &&
                       name.find_first_not_of("0123456789", record.size()) == std::string::npos;
        }
    }
    std::string Text() const
    {
        return std::to_string(shadows) + " shadows and " + std::to_string(records) + " records";
    }
};

// Saves two contents of length bytes in turn in children killed in the middle of a save: at
// each system call of a save that may change a file in turn, as the call begins, then at kills
// random moments. Every kill must leave one of them, complete and with its codes; some kills
// must leave what the save they cut short replaced, some what it wrote; and each run removes
// what the one before it left. Gives "" or what went wrong.
std::string KillWhileSaving(const UserFolders& scratch, const std::string& name, int kills,
                            std::size_t length = 30000)
{
    const std::string oldData(length, 'o');
    const std::string newData(length, 'n');
    const auto data = [&](char writing) { return writing == 'n' ? newData : oldData; };
    SaveData(oldData, name);
    std::set<std::string> seen;
    // "" when the file holds one of the contents, whole; notes whether it is what the save the
    // kill cut short, writing the given contents, replaced or wrote.
    const auto judge = [&](const std::string& kill, char writing) -> std::string {
        const std::string oldProblem = CheckFile(scratch.Prefs(), name, oldData);
        const std::string newProblem = CheckFile(scratch.Prefs(), name, newData);
        if (!oldProblem.empty() && !newProblem.empty()) {
            return "after " + kill + ": " + oldProblem;
        }
        seen.insert((writing == 'n' ? newProblem : oldProblem).empty() ? "new" : "old");
        const std::string restored = RestoredStore(name)->GetData();
        return restored == oldData || restored == newData ? ""
                                                          : "after " + kill + " the store read something else";
    };

    // Each save is the first of its process, as the game's save at quit is. A save makes a few
    // dozen calls that may change a file; far more means the sweep would not end.
    constexpr int MostChangingCalls = 500;
    for (int calls = 0;; ++calls) {
        const char writing = RestoredStore(name)->GetData() == oldData ? 'n' : 'o';
        const pid_t child = StartChild([&] {
            auto store = RestoredStore(name);
            store->SetData(data(writing));
            if (StopForTracing()) {
                store->Save();
            }
        });
        const TracedRun run = KillAtChangingCall(child, calls);
        if (run == TracedRun::Finished && calls == 0) {
            return "the save made no call that may change a file";
        }
        if (run == TracedRun::Finished) {
            break;
        }
        if (run == TracedRun::Untraced) {
            return "the saving child cannot be traced";
        }
        if (calls == MostChangingCalls) {
            return "a save makes more than " + std::to_string(MostChangingCalls) + " calls that may change a file";
        }
        if (std::string problem = judge("a kill at changing call " + std::to_string(calls), writing);
            !problem.empty()) {
            return problem;
        }
    }

    // A kill at a random moment may also land inside a system call.
    std::mt19937 random(static_cast<unsigned>(kills * 7919 + name.size()));
    std::uniform_int_distribution<int> warmSaves(1, 2);
    std::uniform_real_distribution<double> moment(0, 1);
    for (int kill = 0; kill < kills; ++kill) {
        int reports[2];
        if (pipe(reports) != 0) {
            return "no pipe";
        }
        const pid_t child = StartChild([&] {
            close(reports[0]);
            for (;;) {
                auto store = RestoredStore(name);
                SaveReport report{store->GetData() == oldData ? 'n' : 'o'};
                const auto start = std::chrono::steady_clock::now();
                if (write(reports[1], &report, sizeof report) != sizeof report) {
                    return;
                }
                store->SetData(data(report.writing));
                store->Save();
                report.microseconds = std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::steady_clock::now() - start)
                                          .count();
                if (write(reports[1], &report, sizeof report) != sizeof report) {
                    return;
                }
            }
        });
        close(reports[1]);
        // A new process's first save is slow (its pages are faulted in). After it, one or two
        // more, so that the file holds either content as the next one begins. The child runs
        // ahead of its reports.
        SaveReport last = NextFinishedSave(reports[0]);
        for (int save = warmSaves(random); save > 0 && last.microseconds >= 0; --save) {
            last = NextFinishedSave(reports[0]);
        }
        const bool saving = last.microseconds >= 0;
        if (saving) {
            usleep(static_cast<useconds_t>(moment(random) * static_cast<double>(last.microseconds)));
        }
        KillChild(child);
        // The save the kill cut short, or came after: the last one begun.
        for (SaveReport report; NextReport(reports[0], report);) {
            last = report;
        }
        close(reports[0]);
        if (!saving) {
            return "the child stopped saving before kill " + std::to_string(kill);
        }
        if (std::string problem = judge("random kill " + std::to_string(kill), last.writing); !problem.empty()) {
            return problem;
        }
    }
    for (const char* side : {"old", "new"}) {
        if (seen.count(side) == 0) {
            return std::string("no kill left the ") + side + " contents of the save it cut short";
        }
    }
    for (const std::string& entry : NamesIn(scratch.Prefs())) {
        if (entry != name && entry[0] != '.') {
            return "a second preferences file appeared: " + entry;
        }
    }
    // What the last kill left, one of each at most, goes with the next run's save.
    if (const Strays left(scratch); left.shadows > 1 || left.records > 1) {
        return "the kills left " + left.Text();
    }
    return RunInChild([&] {
        SaveData(std::string(length, 'x'), name);
        const Strays left(scratch);
        return left.shadows + left.records == 0 ? "" : "the next run left " + left.Text();
    });
}

constexpr uid_t Player = UserFolders::Player;

// A run of the program by the player, in a process of its own, that stores letter; gives the
// letter it read.
std::string PlayerRun(const std::string& letter)
{
    return RunInChild([&]() -> std::string {
        if (geteuid() == 0 && (setgid(Player) != 0 || setuid(Player) != 0)) {
            return "cannot become another user";
        }
        auto store = RestoredStore();
        store->DefaultData("1");
        const std::string read = store->GetPartData(1, 1);
        store->SetPartData(letter, 1);
        store->Save();
        return read;
    });
}

// Three runs of the program, each a process of its own: each reads the volume letter the one
// before stored, past a foreign file under the name. Gives "" or what went wrong.
std::string ThreeRuns(const UserFolders& scratch)
{
    const std::string foreign = scratch.Prefs() + "/" + Name;
    WriteBytes(foreign, "00D");
    const std::string letters = "D0F";
    for (std::size_t run = 0; run < letters.size(); ++run) {
        const std::string read = RunInChild([&]() -> std::string {
            auto store = RestoredStore();
            store->DefaultData("1");
            const std::string letter = store->GetPartData(1, 1);
            store->SetPartData(letters.substr(run, 1), 1);
            store->Save();
            return letter;
        });
        const std::string expected = run == 0 ? "1" : letters.substr(run - 1, 1);
        if (read != expected) {
            return "run " + std::to_string(run + 1) + " read \"" + read + "\" instead of \"" + expected + "\"";
        }
    }
    const auto foreignItem = std::make_shared<FolderItem>(foreign);
    if (ReadBytes(foreign) != "00D" || !foreignItem->MacType().empty() || !foreignItem->MacCreator().empty()) {
        return "the foreign file was touched";
    }
    const std::string temporary = foreignItem->TemporaryFolder()->NativePath();
    std::vector<std::string> entries = NamesIn(scratch.Prefs());
    std::erase(entries, fs::path(temporary).filename().string());
    if (entries != std::vector<std::string>{Name, Name + "_1"}) {
        return "the folder holds " + std::to_string(entries.size()) +
               " entries, not the foreign file and one of ours";
    }
    if (!FilesUnder(temporary).empty()) {
        return "a shadow file was left behind";
    }
    return CheckFile(scratch.Prefs(), Name + "_1", "F");
}

TEST(PrefsSafetyTest, KillsDuringExchangingSavesLeaveOldOrNewContents)
{
    UserFolders scratch;
    EXPECT_EQ(KillWhileSaving(scratch, Name, 4), "");
}

TEST(PrefsSafetyTest, KillsDuringFallbackSavesLeaveOldOrNewContents)
{
    UserFolders scratch;
    EXPECT_EQ(KillWhileSaving(scratch, UnrecordableName, 4), "");
}

TEST(PrefsSafetyTest, KillsOnAFileSystemWithoutAttributesLeaveOldOrNewContents)
{
    UserFolders scratch;
    const std::string result = OnRamfs(scratch, [&] { return KillWhileSaving(scratch, Name, 4); });
    if (result == NoRamfs) {
        GTEST_SKIP() << result;
    }
    EXPECT_EQ(result, "");
}

// Where no shadow can be made (the temporary folders are taken by something not ours) the file
// is written in place. The data are the size of the game's own, which one write puts in place.
TEST(PrefsSafetyTest, KillsDuringSavesInPlaceLeaveOldOrNewContents)
{
    UserFolders scratch;
    WriteBytes(scratch.Temporary() + "/kalmeno-" + std::to_string(getuid()), "");
    WriteBytes(scratch.Prefs() + "/.kalmeno-temp", "");
    ASSERT_FALSE(std::make_shared<FolderItem>(scratch.Prefs() + "/" + Name)->TemporaryFolder());
    EXPECT_EQ(KillWhileSaving(scratch, Name, 4, 1000), "");
}

TEST(PrefsSafetyTest, AReplacedFileKeepsItsPermissions)
{
    UserFolders scratch;
    // Through the exchange, then through the fallback that moves the shadow into place.
    for (const std::string& name : {Name, UnrecordableName}) {
        SaveData("D", name);
        const std::string file = scratch.Prefs() + "/" + name;
        for (const mode_t mode : {0600, 0640, 0604}) {
            ASSERT_EQ(chmod(file.c_str(), mode), 0);
            const std::string data = "mode " + std::to_string(mode);
            SaveData(data, name);
            EXPECT_EQ(CheckFile(scratch.Prefs(), name, data), "");
            EXPECT_EQ(StatOf(file).st_mode & 07777, mode) << name;
        }
    }
}

TEST(PrefsSafetyTest, AWriteThatFailsLeavesTheOldFileWhole)
{
    UserFolders scratch;
    const auto limitedSave = [] {
        return RunInChild([]() -> std::string {
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            SaveData(std::string(10000, 'b'));
            return "";
        });
    };
    SaveData("D");
    EXPECT_EQ(limitedSave(), "");
    EXPECT_EQ(CheckFile(scratch.Prefs(), Name, "D"), "");
    EXPECT_EQ(NamesIn(scratch.Prefs()), std::vector<std::string>{Name});
    EXPECT_TRUE(FilesUnder(scratch.Temporary()).empty()) << "the half-written shadow is removed";

    fs::remove(scratch.Prefs() + "/" + Name);
    EXPECT_EQ(limitedSave(), "");
    EXPECT_TRUE(NamesIn(scratch.Prefs()).empty()) << "no half file appears under the name";
}

TEST(PrefsSafetyTest, AReadOnlyPreferencesFolderGetsItsFileWrittenInPlace)
{
    UserFolders scratch;
    SaveData("D");
    const std::string file = scratch.Prefs() + "/" + Name;
    const struct stat before = StatOf(file);
    ASSERT_TRUE(scratch.HandToThePlayer());
    const auto readOnly = [&](bool on) {
        fs::permissions(scratch.Prefs(),
                        on ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all);
    };
    readOnly(true);

    // The file itself may be written: the save goes in place, over the old bytes.
    EXPECT_EQ(PlayerRun("A"), "D");
    EXPECT_EQ(CheckFile(scratch.Prefs(), Name, "A"), "");
    EXPECT_EQ(StatOf(file).st_ino, before.st_ino);
    EXPECT_EQ(NamesIn(scratch.Prefs()), std::vector<std::string>{Name});
    EXPECT_TRUE(FilesUnder(scratch.Temporary()).empty()) << "no shadow that could not go in";

    // The file read-only too: only the save is lost.
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(PlayerRun("B"), "A");
    EXPECT_EQ(CheckFile(scratch.Prefs(), Name, "A"), "");
    EXPECT_EQ(FilesUnder(scratch.Temporary()), std::vector<std::string>{});

    // With no file at all, every run saves in vain, and none leaves a file behind.
    readOnly(false);
    fs::remove(file);
    readOnly(true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PlayerRun("A"), "1");
    }
    EXPECT_TRUE(NamesIn(scratch.Prefs()).empty());
    EXPECT_EQ(FilesUnder(scratch.Temporary()), std::vector<std::string>{});
}

TEST(PrefsOddFilesTest, ALinkedPreferencesFileStaysALink)
{
    UserFolders scratch;
    // The linked folder on the same file system as the temporary folder, then on another.
    const ScratchFolder shm("/dev/shm");
    const std::string& otherFileSystem = shm.Path();
    const std::string sameFileSystem = scratch.Root() + "/linked";
    fs::create_directory(sameFileSystem);
    const std::string link = scratch.Prefs() + "/" + Name;
    for (const std::string& folder : {sameFileSystem, otherFileSystem}) {
        SCOPED_TRACE(folder);
        const auto linked = std::make_shared<FolderItem>(folder + "/" + Name);
        WriteBytes(linked->NativePath(), "00D");
        ASSERT_TRUE(linked->SetMacType("PREF") && linked->SetMacCreator("KLMa"));
        const std::string pointer = folder == sameFileSystem ? "../linked/" + Name : linked->NativePath();
        fs::create_symlink(pointer, link);

        auto store = RestoredStore();
        EXPECT_EQ(store->GetData(), "D");
        store->SetData("A");
        store->Save();
        std::error_code error;
        EXPECT_EQ(fs::read_symlink(link, error), pointer) << "still a link, to the same place";
        EXPECT_EQ(CheckFile(folder, Name, "A"), "");
        EXPECT_EQ(RestoredStore()->GetData(), "A");
        EXPECT_EQ(FilesUnder(scratch.Temporary()), std::vector<std::string>{});
        EXPECT_EQ(FilesUnder(folder + "/.kalmeno-temp"), std::vector<std::string>{});
        fs::remove(link);
    }
}

TEST(PrefsOddFilesTest, ALinkIntoAFolderThePlayerCannotWriteGetsTheNewValue)
{
    UserFolders scratch;
    const std::string locked = scratch.Root() + "/locked";
    fs::create_directory(locked);
    const auto linked = std::make_shared<FolderItem>(locked + "/" + Name);
    WriteBytes(linked->NativePath(), "00D");
    ASSERT_TRUE(linked->SetMacType("PREF") && linked->SetMacCreator("KLMa"));
    const std::string link = scratch.Prefs() + "/" + Name;
    fs::create_symlink(linked->NativePath(), link);
    ASSERT_TRUE(scratch.HandToThePlayer());
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_EQ(PlayerRun("A"), "D");
    std::error_code error;
    EXPECT_EQ(fs::read_symlink(link, error), linked->NativePath()) << "still the same link";
    EXPECT_EQ(CheckFile(locked, Name, "A"), "");
    EXPECT_EQ(PlayerRun("B"), "A") << "the next run reads it";
    EXPECT_EQ(NamesIn(locked), std::vector<std::string>{Name});
    EXPECT_EQ(FilesUnder(scratch.Temporary()), std::vector<std::string>{});
}

// The bytes this process has read so far, from /proc/self/io.
long BytesRead()
{
    const std::string io = ReadBytes("/proc/self/io");
    const std::size_t at = io.find("rchar: ");
    return at == std::string::npos ? -1 : std::atol(io.c_str() + at + 7);
}

TEST(PrefsOddFilesTest, AHugeFileIsTakenAsDamagedWithoutBeingReadWhole)
{
    UserFolders scratch;
    const auto file = std::make_shared<FolderItem>(scratch.Prefs() + "/" + Name);
    const std::string large = "D" + std::string(65535, 'x');
    WriteBytes(file->NativePath(), "00" + large);
    ASSERT_TRUE(file->SetMacType("PREF") && file->SetMacCreator("KLMa"));
    EXPECT_EQ(RestoredStore()->GetData(), large) << "data larger than any this game writes still read";

    // 200 MiB that begin like the game's file: read only as far as the store needs to see
    // that it did not write it.
    fs::resize_file(file->NativePath(), 200 << 20);
    const std::string result = RunInChild([&]() -> std::string {
        const long before = BytesRead();
        auto store = RestoredStore();
        const long read = BytesRead() - before;
        if (before < 0 || read > (4 << 20)) {
            return "read " + std::to_string(read) + " bytes";
        }
        return store->GetData().empty() ? "" : "data read from it";
    });
    EXPECT_EQ(result, "");

    auto store = RestoredStore();
    EXPECT_TRUE(store->DefaultData("1"));
    store->Save();
    EXPECT_EQ(CheckFile(scratch.Prefs(), Name, "1"), "") << "the next save replaces it";
    EXPECT_EQ(FilesUnder(scratch.Temporary()), std::vector<std::string>{});
}

class PrefsRunsTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PrefsRunsTest, EachRunReadsWhatTheOneBeforeStored)
{
    const std::string where = GetParam();
    if (where == "ramfs") {
        UserFolders scratch;
        const std::string result = OnRamfs(scratch, [&] { return ThreeRuns(scratch); });
        if (result == NoRamfs) {
            GTEST_SKIP() << result;
        }
        EXPECT_EQ(result, "");
    } else {
        UserFolders scratch(where == "shm" ? "/dev/shm" : "");
        EXPECT_EQ(ThreeRuns(scratch), "");
    }
}

// The temporary folder is on a disk (here ext4 with user attributes), /dev/shm a tmpfs (with
// them on recent kernels), ramfs keeps none, so the layer's own record of the codes is used there.
INSTANTIATE_TEST_SUITE_P(FileSystems, PrefsRunsTest, ::testing::Values("disk", "shm", "ramfs"),
                         [](const auto& info) { return info.param; });

TEST(PrefsDamagedFileTest, RandomBytesReadExactlyAsTheMarkerRuleSays)
{
    UserFolders scratch("/dev/shm");
    const auto file = std::make_shared<FolderItem>(scratch.Prefs() + "/" + Name);
    std::mt19937 random(20120618);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes = i % 2 ? "00" : "";
        for (int n = length(random); n > 0; --n) {
            bytes += static_cast<char>(byte(random));
        }
        WriteBytes(file->NativePath(), bytes);
        ASSERT_TRUE(file->SetMacType("PREF") && file->SetMacCreator("KLMa"));
        const std::string expected = bytes.size() >= 3 && bytes.compare(0, 2, "00") == 0 ? bytes.substr(2) : "";
        const auto store = RestoredStore();
        ASSERT_EQ(store->GetData(), expected) << "file " << testing::PrintToString(bytes);
        ASSERT_EQ(store->GetPartData(1, 1), expected.substr(0, 1));
    }
}

} // namespace
