#include "framework/FolderItem.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "framework/Sound.h"
#include "framework/TestSeams.h"
#include "framework/TypeCodeStore.h"
#include "framework/qt/LayerAccess.h"
#include "tests/framework/MediaFiles.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

dev_t DeviceOf(const std::string& path)
{
    struct stat info = {};
    stat(path.c_str(), &info);
    return info.st_dev;
}

std::shared_ptr<FolderItem> Item(const std::string& path)
{
    return std::make_shared<FolderItem>(path);
}

std::size_t EntryCount(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Keeps writes in this process under bytes until destroyed.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &itsOld);
        rlimit limit = itsOld;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &itsOld); }

private:
    rlimit itsOld{};
};

} // namespace

TEST(FolderItem, ChildOfAMissingNameIsStillAnItem)
{
    ScratchFolder folder;
    auto child = Item(folder.Path())->Child("Kalmenoの設定");
    ASSERT_TRUE(child);
    EXPECT_FALSE(child->Exists());
    EXPECT_FALSE(child->Directory());
    EXPECT_EQ(child->Name(), "Kalmenoの設定");
    EXPECT_EQ(child->NativePath(), folder / "Kalmenoの設定");
    EXPECT_EQ(child->Parent()->NativePath(), folder.Path());
    EXPECT_TRUE(Item(folder.Path())->Directory());
    EXPECT_EQ(Item(folder.Path() + "/")->Name(), fs::path(folder.Path()).filename().string());
    for (const char* bad : {"", ".", "..", "a/b"}) {
        EXPECT_FALSE(Item(folder.Path())->Child(bad)) << bad;
    }
    EXPECT_FALSE(Item("/")->Parent());
}

TEST(FolderItem, CodesSurviveAReReadOnDiskAndTmpfs)
{
    // The temporary folder (on a disk here), then a tmpfs.
    for (const std::string base : {"", "/dev/shm"}) {
        ScratchFolder folder(base);
        const std::string path = folder.Write("prefs", "001");
        folder.Write("plain", "001");
        auto file = Item(path);
        EXPECT_EQ(file->MacType(), "");
        EXPECT_TRUE(file->SetMacCreator("KLMa"));
        EXPECT_TRUE(file->SetMacType("PREF"));
        EXPECT_EQ(Item(path)->MacType(), "PREF") << folder.Path();
        EXPECT_EQ(Item(path)->MacCreator(), "KLMa") << folder.Path();
        EXPECT_EQ(Item(folder / "plain")->MacCreator(), "") << folder.Path();
        EXPECT_FALSE(Item(folder / "missing")->SetMacType("PREF"));
        EXPECT_EQ(Item(folder / "missing")->MacType(), "");

        // Another program replaces the file: the new one has no codes.
        folder.Write("other", "foreign");
        fs::rename(folder / "other", path);
        EXPECT_EQ(Item(path)->MacType(), "") << folder.Path();
        EXPECT_EQ(Item(path)->MacCreator(), "") << folder.Path();
    }
}

TEST(TypeCodeStore, ForgetsFilesThatWereReplacedOrRewritten)
{
    ScratchFolder folder;
    const TypeCodeStore store(folder / "state/file-codes");
    const std::string path = folder.Write("prefs", "001");
    EXPECT_EQ(store.Code(path, "type"), "");
    EXPECT_TRUE(store.SetCode(path, "type", "PREF"));
    EXPECT_TRUE(store.SetCode(path, "creator", "K A "));
    EXPECT_EQ(store.Code(path, "type"), "PREF");
    EXPECT_EQ(store.Code(path, "creator"), "K A ");
    fs::rename(path, folder / "moved");
    EXPECT_EQ(store.Code(folder / "moved", "type"), "PREF");

    folder.Write("moved", "0012");
    EXPECT_EQ(store.Code(folder / "moved", "type"), "");
    folder.Write("fresh", "001");
    EXPECT_TRUE(store.SetCode(folder / "fresh", "type", "PREF"));
    folder.Write("foreign", "001");
    fs::rename(folder / "foreign", folder / "fresh");
    EXPECT_EQ(store.Code(folder / "fresh", "type"), "");
    EXPECT_FALSE(store.SetCode(folder / "nothing", "type", "PREF"));
}

// One line per code: device, inode, size, modification time in nanoseconds, the key, and the
// code in hexadecimal. Runs of earlier builds read and write the same lines.
TEST(TypeCodeStore, KeepsItsRecordLinesAsBefore)
{
    ScratchFolder folder;
    const std::string record = folder / "file-codes";
    const TypeCodeStore store(record);
    const std::string path = folder.Write("prefs", "00D");
    const struct stat info = StatOf(path);
    const std::string file = std::to_string(info.st_dev) + " " + std::to_string(info.st_ino) + " 3 " +
                             std::to_string(info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec) + " ";
    EXPECT_TRUE(store.SetCode(path, "creator", "KLMa"));
    EXPECT_TRUE(store.SetCode(path, "type", "PREF"));
    EXPECT_EQ(ReadBytes(record), file + "creator 4b4c4d61\n" + file + "type 50524546\n");

    WriteBytes(record, "1 2 3 4 type 41424344\n" + file + "creator 4b4c4d62\n" + file + "type 50524546\n");
    EXPECT_EQ(store.Code(path, "creator"), "KLMb");
    EXPECT_EQ(store.Code(path, "type"), "PREF");
}

// A run killed while it wrote the record leaves its temporary record, named by its process
// id; the next change removes it, but never that of a process that lives.
TEST(TypeCodeStore, AChangeRemovesTheTemporaryRecordsOfDeadWriters)
{
    ScratchFolder folder;
    const std::string record = folder / "file-codes";
    const std::string path = folder.Write("prefs", "00D");
    const pid_t dead = fork();
    if (dead == 0) {
        _exit(0);
    }
    waitpid(dead, nullptr, 0);
    const std::string deadRecord = "file-codes." + std::to_string(dead);
    folder.Write(deadRecord, "1 2 3 4 type 41424344\n");
    const std::string liveRecord = "file-codes." + std::to_string(getppid());
    folder.Write(liveRecord, "");
    folder.Write("file-codes.old", "");

    EXPECT_TRUE(TypeCodeStore(record).SetCode(path, "type", "PREF"));
    EXPECT_EQ(NamesIn(folder.Path()),
              (std::vector<std::string>{"file-codes", liveRecord, "file-codes.lock", "file-codes.old", "prefs"}));
}

// A run that holds the record's lock and never lets go (a stopped process) delays a change,
// but never blocks it.
TEST(TypeCodeStore, AHeldLockDelaysAChangeButNeverBlocksIt)
{
    ScratchFolder folder;
    const std::string record = folder / "file-codes";
    const std::string path = folder.Write("prefs", "00D");
    int locked[2];
    ASSERT_EQ(pipe(locked), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const int fd = open((record + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        const bool held = fd >= 0 && flock(fd, LOCK_EX) == 0;
        (void)!write(locked[1], &held, 1);
        pause();
        _exit(0);
    }
    bool held = false;
    ASSERT_EQ(read(locked[0], &held, 1), 1);
    close(locked[0]);
    close(locked[1]);
    EXPECT_TRUE(held);
    EXPECT_TRUE(TypeCodeStore(record).SetCode(path, "type", "PREF"));
    EXPECT_EQ(TypeCodeStore(record).Code(path, "type"), "PREF");
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
}

TEST(FolderItem, MoveKeepsCodesAndReplacesTheDestination)
{
    ScratchFolder disk;
    ScratchFolder shm("/dev/shm");
    auto shadow = Item(shm.Write("shadow", "new contents"));
    shadow->SetMacType("PREF");
    shadow->SetMacCreator("KLMa");
    disk.Write("prefs", "old contents");
    auto target = Item(disk / "prefs");

    ASSERT_TRUE(shadow->MoveFileTo(target));
    EXPECT_EQ(ReadBytes(disk / "prefs"), "new contents");
    EXPECT_FALSE(fs::exists(shm / "shadow"));
    EXPECT_EQ(shadow->NativePath(), disk / "prefs");
    EXPECT_EQ(target->MacType(), "PREF");
    EXPECT_EQ(target->MacCreator(), "KLMa");
    EXPECT_EQ(EntryCount(disk.Path()), 1u);

    // Within one file system, and into a folder under the same name.
    fs::create_directory(disk / "sub");
    ASSERT_TRUE(target->MoveFileTo(Item(disk / "sub")));
    EXPECT_EQ(ReadBytes(disk / "sub/prefs"), "new contents");
    EXPECT_EQ(Item(disk / "sub/prefs")->MacCreator(), "KLMa");
    EXPECT_FALSE(Item(disk / "gone")->MoveFileTo(target));
    EXPECT_FALSE(target->MoveFileTo(nullptr));
}

TEST(FolderItem, FailedMoveAcrossFileSystemsLeavesNoHalfFile)
{
    ScratchFolder disk;
    ScratchFolder shm("/dev/shm");
    auto big = Item(shm.Write("big", std::string(100000, 'x')));
    disk.Write("prefs", "old");
    {
        FileSizeLimit limit(50000);
        EXPECT_FALSE(big->MoveFileTo(Item(disk / "prefs")));
    }
    EXPECT_EQ(ReadBytes(disk / "prefs"), "old");
    EXPECT_EQ(EntryCount(disk.Path()), 1u);
    EXPECT_EQ(fs::file_size(shm / "big"), 100000u);
    EXPECT_EQ(big->NativePath(), shm / "big");
}

TEST(FolderItem, TemporaryFolderIsOnTheSameFileSystem)
{
    // The temporary folder (on a disk here), then a tmpfs.
    for (const std::string base : {"", "/dev/shm"}) {
        ScratchFolder folder(base);
        auto temporary = Item(folder / "prefs")->TemporaryFolder();
        ASSERT_TRUE(temporary) << folder.Path();
        EXPECT_TRUE(temporary->Directory());
        EXPECT_EQ(DeviceOf(temporary->NativePath()), DeviceOf(folder.Path()));
        EXPECT_EQ(Item(folder / "prefs")->TemporaryFolder()->NativePath(), temporary->NativePath());
    }
    EXPECT_FALSE(Item("/nonexistent-kalmeno/folder/file")->TemporaryFolder());
}

TEST(FolderItem, AtTheEndTheEmptyTemporaryFoldersThatTheProcessUsedAreRemoved)
{
    // On a tmpfs the temporary folder is made beside the file, where the test can watch it.
    ScratchFolder made("/dev/shm");
    ScratchFolder madeAndUsed("/dev/shm");
    ScratchFolder foundThere("/dev/shm");
    ScratchFolder madeAgainByAnother("/dev/shm");
    ASSERT_EQ(mkdir((foundThere / ".kalmeno-temp").c_str(), 0700), 0);
    std::vector<std::string> folders;
    for (const ScratchFolder* folder : {&made, &madeAndUsed, &foundThere, &madeAgainByAnother}) {
        auto temporary = Item(*folder / "prefs")->TemporaryFolder();
        ASSERT_TRUE(temporary);
        folders.push_back(temporary->NativePath());
    }
    // A claim still held in one folder, and what a dead run left in another.
    const auto shadow = Item(folders[1] + "/shadow");
    ASSERT_EQ(shadow->ClaimName(), FolderItem::Claim::Made);
    WriteBytes(folders[1] + "/shadow", "in use");
    WriteBytes(folders[0] + "/left", "no one's");
    ASSERT_EQ(rmdir(folders[3].c_str()), 0);
    ASSERT_EQ(mkdir(folders[3].c_str(), 0700), 0);

    FolderAccess::RemoveMadeTemporaryFolders();
    EXPECT_FALSE(fs::exists(folders[0]));
    EXPECT_EQ(ReadBytes(folders[1] + "/shadow"), "in use");
    EXPECT_FALSE(fs::exists(folders[2])) << "another copy made it, and left it to this one";
    EXPECT_TRUE(fs::is_directory(folders[3]));
}

// A claim stays while its maker lives; what a dead run left goes when a later run first uses
// the folder.
TEST(FolderItem, ALaterRunRemovesDeadClaimsButNoLiveOne)
{
    ScratchFolder folder("/dev/shm");
    const std::string temporary = folder / ".kalmeno-temp";
    ASSERT_EQ(mkdir(temporary.c_str(), 0700), 0);
    WriteBytes(temporary + "/dead000001", "00");
    int claimed[2];
    ASSERT_EQ(pipe(claimed), 0);
    const pid_t live = fork();
    if (live == 0) {
        auto claim = Item(temporary + "/live000001");
        const bool made = claim->ClaimName() == FolderItem::Claim::Made;
        (void)!write(claimed[1], &made, 1);
        pause();
        _exit(0);
    }
    bool made = false;
    ASSERT_EQ(read(claimed[0], &made, 1), 1);
    ASSERT_TRUE(made);
    const auto laterRun = [&] {
        const pid_t run = fork();
        if (run == 0) {
            _exit(Item(folder / "prefs")->TemporaryFolder() ? 0 : 1);
        }
        int status = -1;
        waitpid(run, &status, 0);
        return status;
    };
    EXPECT_EQ(laterRun(), 0);
    EXPECT_EQ(NamesIn(temporary), std::vector<std::string>{"live000001"});

    kill(live, SIGKILL);
    waitpid(live, nullptr, 0);
    EXPECT_EQ(laterRun(), 0);
    EXPECT_EQ(NamesIn(temporary), std::vector<std::string>{});

    // In this process the claim ends with the item that made it.
    auto claim = Item(temporary + "/own000001");
    ASSERT_EQ(claim->ClaimName(), FolderItem::Claim::Made);
    EXPECT_EQ(laterRun(), 0);
    EXPECT_EQ(NamesIn(temporary), std::vector<std::string>{"own000001"});
    claim = nullptr;
    EXPECT_EQ(laterRun(), 0);
    EXPECT_EQ(NamesIn(temporary), std::vector<std::string>{});
    close(claimed[0]);
    close(claimed[1]);
}

// After an exchange the shadow's name gives the old contents, which no lock holds: another copy's
// first use of the folder may remove them and claim the free name for itself. The holder,
// deleting its shadow, never removes that claim.
TEST(FolderItem, AHolderNeverRemovesAClaimMadeUnderItsNameSince)
{
    ScratchFolder folder("/dev/shm");
    const std::string prefs = folder.Write("prefs", "old");
    const auto temporary = Item(prefs)->TemporaryFolder();
    ASSERT_TRUE(temporary);
    const auto shadow = temporary->Child("prefs000001");
    ASSERT_EQ(shadow->ClaimName(), FolderItem::Claim::Made);
    WriteBytes(shadow->NativePath(), "new");
    ASSERT_EQ(renameat2(AT_FDCWD, prefs.c_str(), AT_FDCWD, shadow->NativePath().c_str(), RENAME_EXCHANGE), 0);
    EXPECT_FALSE(shadow->HoldsClaim());

    int claimed[2];
    ASSERT_EQ(pipe(claimed), 0);
    const pid_t other = fork();
    if (other == 0) {
        const auto again = Item(prefs)->TemporaryFolder();
        const auto claim = again ? again->Child("prefs000001") : nullptr;
        const bool made = claim && claim->ClaimName() == FolderItem::Claim::Made;
        (void)!write(claimed[1], &made, 1);
        pause();
        _exit(0);
    }
    bool made = false;
    ASSERT_EQ(read(claimed[0], &made, 1), 1);
    close(claimed[0]);
    close(claimed[1]);
    EXPECT_TRUE(made) << "the other copy removed the old contents and claimed the name";
    EXPECT_FALSE(shadow->Delete());
    EXPECT_EQ(NamesIn(temporary->NativePath()), std::vector<std::string>{"prefs000001"});

    // Once that copy is gone, its claim is dead, and the holder's delete removes it.
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
    EXPECT_TRUE(shadow->Delete());
    EXPECT_EQ(NamesIn(temporary->NativePath()), std::vector<std::string>{});
    EXPECT_EQ(ReadBytes(prefs), "new");
}

// Another copy removed the temporary folder, and a third made it again, since it was looked up:
// no claim is made in a folder that was not looked up.
TEST(FolderItem, AClaimIsMadeOnlyInTheTemporaryFolderThatWasLookedUp)
{
    ScratchFolder folder("/dev/shm");
    const auto temporary = Item(folder / "prefs")->TemporaryFolder();
    ASSERT_TRUE(temporary);
    ASSERT_EQ(rmdir(temporary->NativePath().c_str()), 0);
    ASSERT_EQ(mkdir(temporary->NativePath().c_str(), 0700), 0);
    EXPECT_EQ(temporary->Child("prefs000001")->ClaimName(), FolderItem::Claim::Failed);
    EXPECT_EQ(NamesIn(temporary->NativePath()), std::vector<std::string>{});
    const auto again = Item(folder / "prefs")->TemporaryFolder();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Child("prefs000001")->ClaimName(), FolderItem::Claim::Made);
}

// The system's temporary folder on the file's own file system, reached through another mount of it
// (a bind mount), from which nothing can be renamed into the file's folder: the temporary folder
// is then the one beside the file.
TEST(FolderItem, TheTemporaryFolderIsOnTheFilesOwnMount)
{
    ScratchFolder folder;
    for (const char* sub : {"prefs", "tmp", "elsewhere"}) {
        fs::create_directory(folder / sub);
    }
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount((folder / "elsewhere").c_str(), (folder / "tmp").c_str(), nullptr, MS_BIND, nullptr) != 0) {
            _exit(2);
        }
        setenv("TMPDIR", (folder / "tmp").c_str(), 1);
        const auto temporary = Item(folder / "prefs/file")->TemporaryFolder();
        _exit(temporary && temporary->NativePath() == folder / "prefs/.kalmeno-temp" ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) {
        GTEST_SKIP() << "cannot bind-mount here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(FolderItem, VolumeAndFolderNumbers)
{
    ScratchFolder disk;
    ScratchFolder shm("/dev/shm");
    auto a = Item(disk / "a");
    EXPECT_EQ(a->MacDirID(), Item(disk / "b")->MacDirID());
    EXPECT_NE(a->MacDirID(), Item(shm / "a")->MacDirID());
    EXPECT_EQ(a->MacVRefNum(), Item(disk / "b")->MacVRefNum());
    EXPECT_NE(a->MacVRefNum(), Item(shm / "a")->MacVRefNum());
    EXPECT_LT(a->MacVRefNum(), 0);
}

TEST(FolderItem, DeleteRemovesFilesAndEmptyFolders)
{
    ScratchFolder folder;
    auto file = Item(folder.Write("f", "x"));
    EXPECT_TRUE(file->Delete());
    EXPECT_FALSE(file->Exists());
    EXPECT_FALSE(file->Delete());
    fs::create_directories(folder / "d/e");
    EXPECT_FALSE(Item(folder / "d")->Delete());
    EXPECT_TRUE(Item(folder / "d/e")->Delete());
}

TEST(FolderItem, BadMediaGiveNull)
{
    ScratchFolder folder;
    const std::string png = MediaFiles::Png(60, 52);
    const std::string wav = MediaFiles::Wav();
    folder.Write("good.png", png);
    folder.Write("cut.png", png.substr(0, png.size() / 2));
    folder.Write("garbage.png", std::string(500, '\x17'));
    folder.Write("empty.png", "");
    folder.Write("good.wav", wav);
    folder.Write("cut.wav", wav.substr(0, wav.size() - 100));
    folder.Write("header.wav", wav.substr(0, 30));
    folder.Write("garbage.wav", "RIFF\xff\xff\xff\xffWAVEjunk" + std::string(60, '\x7f'));
    folder.Write("image.wav", png);
    fs::create_directory(folder / "folder.png");

    auto good = Item(folder / "good.png")->OpenAsPicture();
    ASSERT_TRUE(good);
    EXPECT_EQ(good->Width(), 60);
    EXPECT_EQ(good->Graphics()->Pixel(5, 5), Color(10, 20, 30));
    for (const char* name : {"cut.png", "garbage.png", "empty.png", "missing.png", "folder.png", "good.wav"}) {
        EXPECT_FALSE(Item(folder / name)->OpenAsPicture()) << name;
    }
    EXPECT_TRUE(Item(folder / "good.wav")->OpenAsSound());
    for (const char* name : {"cut.wav", "header.wav", "garbage.wav", "image.wav", "missing.wav", "folder.png"}) {
        EXPECT_FALSE(Item(folder / name)->OpenAsSound()) << name;
    }
}

TEST(Sound, PlayReportsItsVolumeAndNeverFails)
{
    ScratchFolder folder;
    auto sound = Item(folder.Write("click.wav", MediaFiles::Wav()))->OpenAsSound();
    ASSERT_TRUE(sound);
    std::vector<Int32> volumes;
    SetSoundPlayObserver([&](const Sound& played, Int32 volume) {
        EXPECT_EQ(&played, sound.get());
        volumes.push_back(volume);
    });
    sound->Play();
    sound->Volume = 40;
    sound->Play();
    sound->Play();
    SetSoundPlayObserver(nullptr);
    sound->Play();
    EXPECT_EQ(volumes, (std::vector<Int32>{100, 40, 40}));
}

TEST(SpecialFolder, PreferencesAndResourcesFolders)
{
    ScratchFolder folder;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    auto preferences = SpecialFolder::Preferences();
    ASSERT_TRUE(preferences);
    EXPECT_EQ(preferences->NativePath(), folder / "config");
    EXPECT_TRUE(preferences->Directory());
    if (old) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }

    SetResourcesFolderOverride(folder.Path());
    EXPECT_EQ(ResourcesFolder()->NativePath(), folder.Path());
    SetResourcesFolderOverride(folder / "missing");
    EXPECT_FALSE(ResourcesFolder());
    SetResourcesFolderOverride(std::nullopt);
}

namespace {

// A file system without extended attributes (ramfs) mounted for one test, and the layer's
// code record kept in a scratch folder. Needs the right to mount; the test is skipped without.
class NoAttributesTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("XDG_STATE_HOME");
        itsOldState = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_STATE_HOME", (itsState / "state").c_str(), 1);
        itsMounted = mount("ramfs", itsRamfs.Path().c_str(), "ramfs", 0, nullptr) == 0;
        if (!itsMounted) {
            GTEST_SKIP() << "cannot mount a ramfs here";
        }
    }
    void TearDown() override
    {
        if (itsMounted) {
            umount(itsRamfs.Path().c_str());
        }
        if (itsOldState) {
            setenv("XDG_STATE_HOME", itsOldState->c_str(), 1);
        } else {
            unsetenv("XDG_STATE_HOME");
        }
    }

    ScratchFolder itsRamfs;
    ScratchFolder itsState;
    ScratchFolder itsDisk;

private:
    bool itsMounted = false;
    std::optional<std::string> itsOldState;
};

} // namespace

TEST_F(NoAttributesTest, CodesRoundTripAndFollowMoves)
{
    const std::string path = itsRamfs.Write("prefs", "001");
    EXPECT_TRUE(Item(path)->SetMacType("PREF"));
    EXPECT_TRUE(Item(path)->SetMacCreator("KLMa"));
    EXPECT_EQ(Item(path)->MacType(), "PREF");
    EXPECT_EQ(Item(path)->MacCreator(), "KLMa");
    EXPECT_TRUE(fs::exists(itsState / "state/kalmeno/file-codes"));
    EXPECT_EQ(Item(itsRamfs.Write("plain", "001"))->MacType(), "");

    // Replaced by another program: not taken for the file with codes.
    itsRamfs.Write("other", "002");
    fs::rename(itsRamfs / "other", itsRamfs / "prefs");
    EXPECT_EQ(Item(path)->MacCreator(), "");

    // Out to the disk and back, across file systems both ways.
    auto file = Item(itsRamfs.Write("shadow", "00D"));
    file->SetMacType("PREF");
    file->SetMacCreator("KLMa");
    ASSERT_TRUE(file->MoveFileTo(Item(itsDisk / "prefs")));
    EXPECT_EQ(Item(itsDisk / "prefs")->MacCreator(), "KLMa");
    ASSERT_TRUE(file->MoveFileTo(Item(itsRamfs / "back")));
    EXPECT_EQ(Item(itsRamfs / "back")->MacType(), "PREF");
    EXPECT_EQ(Item(itsRamfs / "back")->MacCreator(), "KLMa");
    EXPECT_EQ(ReadBytes(itsRamfs / "back"), "00D");
}
