#include "components/shadowfiler/ShadowFiler.h"

#include "framework/FolderItem.h"
#include "framework/MemoryBlock.h"
#include "framework/TextOutputStream.h"
#include "framework/Thread.h"
#include "framework/qt/LayerAccess.h"
#include "tests/components/ChildProcess.h"
#include "tests/components/UserFolders.h"
#include "tests/components/shadowfiler/AllocationFailure.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <utility>

namespace {

// Reaches the filer's protected parts and notes each exchange it tries.
class ObservedFiler : public ShadowFiler {
public:
    int exchanges = 0;
    bool exchanged = false;

    bool Exchange(const std::shared_ptr<FolderItem>& file1, const std::shared_ptr<FolderItem>& file2)
    {
        return TbExchangeFiles(file1, file2);
    }
    std::string Record(int which) const
    {
        const auto& record = which == 1 ? TheFSSP1 : TheFSSP2;
        return record ? record->StringValue(0, record->Size()) : std::string();
    }
    bool RecordsAvail() const { return IsFsspAvail; }

protected:
    bool TbExchangeFiles(const std::shared_ptr<FolderItem>& file1,
                         const std::shared_ptr<FolderItem>& file2) override
    {
        ++exchanges;
        exchanged = ShadowFiler::TbExchangeFiles(file1, file2);
        return exchanged;
    }
};

// 40 kanji: 120 bytes of UTF-8, 80 of MacJapanese.
std::string LongJapaneseName()
{
    std::string name;
    for (int i = 0; i < 20; ++i) {
        name += "設定";
    }
    return name;
}

void WriteThrough(ShadowFiler& filer, const std::string& bytes)
{
    const auto stream = TextOutputStream::Create(filer.RefShadowFile());
    ASSERT_TRUE(stream);
    stream->Write(bytes);
    ASSERT_TRUE(stream->Close());
}

// Names the folder's entries that were deleted or moved in while it watched.
class FolderWatch {
public:
    explicit FolderWatch(const std::string& folder) : itsFd(inotify_init1(IN_NONBLOCK))
    {
        inotify_add_watch(itsFd, folder.c_str(), IN_DELETE | IN_MOVED_TO);
    }
    ~FolderWatch() { close(itsFd); }

    std::vector<std::pair<std::string, std::string>> Events() const
    {
        std::vector<std::pair<std::string, std::string>> events;
        alignas(inotify_event) char buffer[8192];
        ssize_t got = 0;
        while ((got = read(itsFd, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                events.emplace_back(event->mask & IN_DELETE ? "delete" : "moved in", event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        return events;
    }

private:
    int itsFd;
};

// Another copy of the game quitting: it removes the emptied temporary folder in its first slice,
// which comes at the filer's first yield; with makeAgain, a third copy then makes it again.
class FolderRemover : public Thread {
public:
    explicit FolderRemover(std::string folder, bool makeAgain = false)
        : itsFolder(std::move(folder)), itsMakeAgain(makeAgain)
    {
    }
    bool removed = false;

protected:
    void Event_Run() override
    {
        removed = rmdir(itsFolder.c_str()) == 0 && (!itsMakeAgain || mkdir(itsFolder.c_str(), 0700) == 0);
    }

private:
    std::string itsFolder;
    bool itsMakeAgain;
};

class ShadowFilerTest : public ::testing::Test {
protected:
    UserFolders scratch;
    std::shared_ptr<FolderItem> prefs = std::make_shared<FolderItem>(scratch.Prefs());

    std::shared_ptr<FolderItem> File(const std::string& name, const std::string& contents)
    {
        WriteBytes(scratch.Prefs() + "/" + name, contents);
        return prefs->Child(name);
    }
};

TEST_F(ShadowFilerTest, NewFilerHoldsNothingUntilConstructed)
{
    ShadowFiler filer;
    EXPECT_EQ(filer.RefShadowFile(), nullptr);
    EXPECT_FALSE(filer.RefShadowAvail());
    EXPECT_EQ(filer.RefStatus(), 0);
    EXPECT_EQ(filer.VersionInfo(), "2011-11-25,1");
}

TEST_F(ShadowFilerTest, ShadowNameIsCutByWholeCharactersToTwentyFiveBytes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Kalmenoの設定", "Kalmenoの設定"},
        {"abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrstuvwxy"},
        {"abcdefghijklmnopqrstuvwxyz0123", "abcdefghijklmnopqrstuvwxy"},
        // The three bytes of the last character go together: 23 bytes remain, not 25.
        {"abcdefghijklmnopqrstuvw設", "abcdefghijklmnopqrstuvw"},
        {"éééééééééééééé", "éééééééééééé"},
    };
    for (const auto& [name, kept] : cases) {
        SCOPED_TRACE(name);
        const auto target = prefs->Child(name);
        std::shared_ptr<FolderItem> shadow;
        {
            ShadowFiler filer;
            filer.Constructor(target);
            EXPECT_EQ(filer.RefStatus(), 1);
            EXPECT_TRUE(filer.RefShadowAvail());
            shadow = filer.RefShadowFile();
            ASSERT_TRUE(shadow);
            EXPECT_EQ(shadow->Name(), kept + "000001");
            EXPECT_EQ(shadow->Parent()->NativePath(), target->TemporaryFolder()->NativePath());
            EXPECT_TRUE(shadow->Exists()) << "the name is claimed at once";
            EXPECT_EQ(ReadBytes(shadow->NativePath()), "");
        }
        EXPECT_FALSE(shadow->Exists()) << "a claim never written goes with its filer";
        EXPECT_FALSE(target->Exists());
    }
}

TEST_F(ShadowFilerTest, TakenShadowNamesAreSkippedAndLeftAlone)
{
    const auto target = File("Kalmenoの設定", "00D");
    const auto temporary = target->TemporaryFolder();
    WriteBytes(temporary->NativePath() + "/Kalmenoの設定000001", "stray");

    ShadowFiler filer;
    filer.Constructor(target);
    EXPECT_EQ(filer.RefShadowFile()->Name(), "Kalmenoの設定000002");
    WriteThrough(filer, "00A");
    filer.CleanUp();
    EXPECT_EQ(ReadBytes(temporary->NativePath() + "/Kalmenoの設定000001"), "stray");
    EXPECT_EQ(ReadBytes(target->NativePath()), "00A");
}

TEST_F(ShadowFilerTest, EachFilerClaimsAShadowOfItsOwnAndOnlyAWrittenOneReplacesTheTarget)
{
    const auto target = File("Kalmenoの設定", "old contents");
    const std::string temporary = target->TemporaryFolder()->NativePath();
    ShadowFiler unwritten;
    ShadowFiler emptied;
    auto dropped = std::make_unique<ShadowFiler>();
    unwritten.Constructor(target);
    emptied.Constructor(target);
    dropped->Constructor(target);
    EXPECT_EQ(unwritten.RefShadowFile()->Name(), "Kalmenoの設定000001");
    EXPECT_EQ(emptied.RefShadowFile()->Name(), "Kalmenoの設定000002");
    EXPECT_EQ(dropped->RefShadowFile()->Name(), "Kalmenoの設定000003");

    unwritten.CleanUp();
    EXPECT_EQ(unwritten.RefStatus(), 2);
    EXPECT_EQ(ReadBytes(target->NativePath()), "old contents") << "a shadow never written changes nothing";
    WriteThrough(*dropped, "");
    dropped.reset();
    EXPECT_EQ(NamesIn(temporary), (std::vector<std::string>{"Kalmenoの設定000002", "Kalmenoの設定000003"}))
        << "a dropped filer leaves what was written, and only that";

    // Written empty, even at once: that is new contents.
    WriteThrough(emptied, "");
    emptied.CleanUp();
    EXPECT_EQ(ReadBytes(target->NativePath()), "");
    EXPECT_TRUE(target->Exists());
}

TEST_F(ShadowFilerTest, FirstWriteMovesTheShadowIntoPlaceWithoutExchange)
{
    const auto target = prefs->Child("Kalmenoの設定");
    ObservedFiler filer;
    filer.Constructor(target);
    const auto shadow = filer.RefShadowFile();
    const std::string shadowPath = shadow->NativePath();
    WriteThrough(filer, "001");
    ASSERT_TRUE(shadow->SetMacType("PREF"));

    filer.CleanUp();
    EXPECT_EQ(filer.exchanges, 0);
    EXPECT_EQ(ReadBytes(target->NativePath()), "001");
    EXPECT_EQ(target->MacType(), "PREF");
    EXPECT_FALSE(std::filesystem::exists(shadowPath));
    EXPECT_EQ(filer.RefStatus(), 2);
    EXPECT_EQ(filer.RefShadowFile(), nullptr);
    EXPECT_FALSE(filer.RefShadowAvail());
}

TEST_F(ShadowFilerTest, ExchangeGivesTheTargetTheNewContentsInItsPlace)
{
    const auto target = File("Kalmenoの設定", "old contents");
    ObservedFiler filer;
    filer.Constructor(target);
    ASSERT_TRUE(filer.RecordsAvail());
    const auto shadow = filer.RefShadowFile();
    const std::string shadowPath = shadow->NativePath();
    WriteThrough(filer, "new");
    ASSERT_TRUE(shadow->SetMacCreator("KLMa"));
    const ino_t shadowInode = StatOf(shadowPath).st_ino;

    filer.CleanUp();
    EXPECT_EQ(filer.exchanges, 1);
    EXPECT_TRUE(filer.exchanged);
    EXPECT_EQ(NamesIn(scratch.Prefs()), std::vector<std::string>{"Kalmenoの設定"});
    EXPECT_EQ(ReadBytes(target->NativePath()), "new");
    EXPECT_EQ(StatOf(target->NativePath()).st_ino, shadowInode);
    EXPECT_EQ(target->MacCreator(), "KLMa");
    EXPECT_FALSE(std::filesystem::exists(shadowPath)) << "the shadow held the old contents and is deleted";
    EXPECT_EQ(filer.RefStatus(), 2);
}

TEST_F(ShadowFilerTest, FileRecordsCarryFolderNumbersAndTheNameCutTo63MacJapaneseBytes)
{
    const auto longNamed = File(LongJapaneseName(), "a");
    const auto shortNamed = File("Kalmenoの設定000001", "b");
    ObservedFiler filer;
    filer.Constructor(longNamed);

    // The long name cannot be found again from its cut record, so nothing is exchanged.
    EXPECT_FALSE(filer.Exchange(longNamed, shortNamed));
    EXPECT_EQ(ReadBytes(longNamed->NativePath()), "a");
    EXPECT_EQ(ReadBytes(shortNamed->NativePath()), "b");

    std::string sjis;
    for (int i = 0; i < 20; ++i) {
        sjis += "\x90\xDD\x92\xE8";
    }
    const std::string first = filer.Record(1);
    ASSERT_EQ(first.size(), 70u);
    MemoryBlock record(70);
    record.SetStringValue(0, first);
    EXPECT_EQ(record.Int16Value(0), static_cast<std::int16_t>(longNamed->MacVRefNum()));
    EXPECT_EQ(record.Int32Value(2), longNamed->MacDirID());
    EXPECT_EQ(record.Byte(6), 63);
    EXPECT_EQ(first.substr(7), sjis.substr(0, 63));

    const std::string second = filer.Record(2);
    record.SetStringValue(0, second);
    EXPECT_EQ(record.Int16Value(0), static_cast<std::int16_t>(shortNamed->MacVRefNum()));
    EXPECT_EQ(record.Byte(6), 19);
    EXPECT_EQ(second.substr(7, 19), "Kalmeno\x82\xCC\x90\xDD\x92\xE8"
                                    "000001");
    EXPECT_EQ(second.substr(26), std::string(44, '\0')) << "bytes after the name stay as they were";
}

TEST_F(ShadowFilerTest, FailedExchangeReplacesTheTargetWithoutEverRemovingIt)
{
    const auto target = File(LongJapaneseName(), "old contents");
    ObservedFiler filer;
    filer.Constructor(target);
    const std::string shadowPath = filer.RefShadowFile()->NativePath();
    WriteThrough(filer, "new");

    const FolderWatch watch(scratch.Prefs());
    filer.CleanUp();
    EXPECT_EQ(filer.exchanges, 1);
    EXPECT_FALSE(filer.exchanged);
    EXPECT_EQ(ReadBytes(target->NativePath()), "new");
    EXPECT_FALSE(std::filesystem::exists(shadowPath));
    EXPECT_EQ(NamesIn(scratch.Prefs()), std::vector<std::string>{LongJapaneseName()});
    // One step: the target is replaced, never deleted first.
    const std::vector<std::pair<std::string, std::string>> expected{{"moved in", LongJapaneseName()}};
    EXPECT_EQ(watch.Events(), expected);
}

// Names whose file record names another file: a character MacJapanese lacks becomes "?",
// 〜 and ～ share one code that reads back as ～, and a record holds only 63 bytes.
TEST_F(ShadowFilerTest, AFileRecordThatNamesAnotherFileNeverSwapsThatFile)
{
    const std::pair<std::string, std::string> cases[] = {
        {"café", "caf?"},
        {"設定〜", "設定～"},
        {"Kalmenoの設定" + std::string(60, 'x'), "Kalmenoの設定" + std::string(50, 'x')},
    };
    for (const auto& [name, other] : cases) {
        SCOPED_TRACE(name);
        const auto target = File(name, "old contents");
        const auto unrelated = File(other, "unrelated");
        const ino_t unrelatedInode = StatOf(unrelated->NativePath()).st_ino;
        ObservedFiler filer;
        filer.Constructor(target);
        const std::string shadowPath = filer.RefShadowFile()->NativePath();
        WriteThrough(filer, "new");

        filer.CleanUp();
        EXPECT_EQ(filer.exchanges, 1);
        EXPECT_FALSE(filer.exchanged);
        EXPECT_EQ(ReadBytes(target->NativePath()), "new") << "replaced by name instead";
        EXPECT_EQ(ReadBytes(unrelated->NativePath()), "unrelated");
        EXPECT_EQ(StatOf(unrelated->NativePath()).st_ino, unrelatedInode);
        EXPECT_FALSE(std::filesystem::exists(shadowPath));
        std::filesystem::remove(target->NativePath());
        std::filesystem::remove(unrelated->NativePath());
    }

    // Either record may be the one that names another file.
    const auto plain = File("plain", "plain");
    const auto lossy = File("é", "lossy");
    const auto unrelated = File("?", "unrelated");
    ObservedFiler filer;
    filer.Constructor(plain);
    EXPECT_FALSE(filer.Exchange(plain, lossy));
    EXPECT_FALSE(filer.Exchange(lossy, plain));
    EXPECT_EQ(ReadBytes(plain->NativePath()), "plain");
    EXPECT_EQ(ReadBytes(lossy->NativePath()), "lossy");
    EXPECT_EQ(ReadBytes(unrelated->NativePath()), "unrelated");
    EXPECT_TRUE(filer.Exchange(plain, unrelated)) << "names that survive the record still swap";
    EXPECT_EQ(ReadBytes(plain->NativePath()), "unrelated");
    filer.Abort();
}

TEST_F(ShadowFilerTest, WithoutFileRecordsTheShadowReplacesTheTargetWithoutExchange)
{
    const auto target = File("Kalmenoの設定", "old contents");
    ObservedFiler filer;
    int refused = 0;
    {
        const AllocationFailure noMemory(70);
        filer.Constructor(target);
        refused = noMemory.Refused();
    }
    EXPECT_EQ(refused, 2) << "both records were refused";
    EXPECT_EQ(filer.RefStatus(), -1);
    EXPECT_TRUE(filer.RefShadowAvail());
    EXPECT_FALSE(filer.RecordsAvail());
    WriteThrough(filer, "new");

    filer.CleanUp();
    EXPECT_EQ(filer.exchanges, 0);
    EXPECT_EQ(ReadBytes(target->NativePath()), "new");
    EXPECT_EQ(filer.RefStatus(), 2);
}

TEST_F(ShadowFilerTest, WithoutTemporaryFolderTheTargetItselfIsHandedOut)
{
    const auto target = prefs->Child("missing folder")->Child("Kalmenoの設定");
    ShadowFiler filer;
    filer.Constructor(target);
    EXPECT_EQ(filer.RefStatus(), -2);
    EXPECT_FALSE(filer.RefShadowAvail());
    EXPECT_EQ(filer.RefShadowFile(), target);
    filer.CleanUp();
    EXPECT_EQ(filer.RefStatus(), 2);
    EXPECT_EQ(filer.RefShadowFile(), nullptr);
    EXPECT_TRUE(NamesIn(scratch.Prefs()).empty());
}

TEST_F(ShadowFilerTest, ATemporaryFolderRemovedBeforeTheClaimIsMadeAgainAndTheSaveLands)
{
    const auto target = File("Kalmenoの設定", "00D");
    const std::string temporary = target->TemporaryFolder()->NativePath();
    FolderRemover remover(temporary);
    remover.Run();
    ShadowFiler filer;
    filer.Constructor(target);
    ASSERT_TRUE(remover.removed) << "the folder went between the look-up and the claim";
    EXPECT_EQ(filer.RefStatus(), 1);
    ASSERT_TRUE(filer.RefShadowAvail());
    EXPECT_EQ(filer.RefShadowFile()->NativePath(), temporary + "/Kalmenoの設定000001");
    WriteThrough(filer, "00A");
    filer.CleanUp();
    EXPECT_EQ(ReadBytes(target->NativePath()), "00A");
}

// The shadow is claimed in the folder made again, which this run then removes at its end too. On a
// tmpfs, where the folder made again has an inode number of its own.
TEST(ShadowFilerFoldersTest, ATemporaryFolderMadeAgainBeforeTheClaimIsClaimedInAndRemovedAtTheEnd)
{
    const UserFolders scratch("/dev/shm");
    WriteBytes(scratch.Prefs() + "/Kalmenoの設定", "00D");
    const auto target = std::make_shared<FolderItem>(scratch.Prefs() + "/Kalmenoの設定");
    const std::string temporary = target->TemporaryFolder()->NativePath();
    FolderRemover remover(temporary, true);
    remover.Run();
    ShadowFiler filer;
    filer.Constructor(target);
    ASSERT_TRUE(remover.removed) << "the folder was made again between the look-up and the claim";
    ASSERT_TRUE(filer.RefShadowAvail());
    WriteThrough(filer, "00A");
    filer.CleanUp();
    EXPECT_EQ(ReadBytes(target->NativePath()), "00A");
    FolderAccess::RemoveMadeTemporaryFolders();
    EXPECT_FALSE(std::filesystem::exists(temporary));
}

// A temporary folder that holds no more files (here a tmpfs without free inodes): the filer hands
// out the target, never a shadow it could not claim.
TEST_F(ShadowFilerTest, AShadowThatCannotBeClaimedIsNeverHandedOut)
{
    const std::string result = RunInChild([&]() -> std::string {
        // The file system's root, the file and the temporary folder beside it: no inode is left.
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("none", scratch.Prefs().c_str(), "tmpfs", 0, "nr_inodes=3") != 0) {
            return "skip";
        }
        const auto target = File("Kalmenoの設定", "00D");
        const auto temporary = target->TemporaryFolder();
        if (!temporary || temporary->NativePath() != scratch.Prefs() + "/.kalmeno-temp") {
            return "no temporary folder beside the file";
        }
        ShadowFiler filer;
        filer.Constructor(target);
        if (filer.RefShadowAvail() || filer.RefStatus() != ShadowFiler::NoTemporaryFolder ||
            filer.RefShadowFile() != target) {
            return "status " + std::to_string(filer.RefShadowAvail()) + " " + std::to_string(filer.RefStatus());
        }
        filer.CleanUp();
        return ReadBytes(target->NativePath()) == "00D" ? "" : "the target was touched";
    });
    if (result == "skip") {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    EXPECT_EQ(result, "");
}

TEST_F(ShadowFilerTest, FolderTargetGetsNothingAndIsNotTouched)
{
    const auto folder = prefs->Child("a folder");
    std::filesystem::create_directory(folder->NativePath());
    WriteBytes(folder->NativePath() + "/inside", "kept");

    ShadowFiler filer;
    filer.Constructor(folder);
    EXPECT_EQ(filer.RefStatus(), 0);
    EXPECT_EQ(filer.RefShadowFile(), nullptr);
    EXPECT_FALSE(filer.RefShadowAvail());
    filer.CleanUp();
    EXPECT_EQ(filer.RefStatus(), 2);
    EXPECT_TRUE(folder->Directory());
    EXPECT_EQ(ReadBytes(folder->NativePath() + "/inside"), "kept");
}

TEST_F(ShadowFilerTest, AbortDeletesTheShadowAndLeavesTheTarget)
{
    const auto target = File("Kalmenoの設定", "old contents");
    ShadowFiler filer;
    filer.Constructor(target);
    const std::string shadowPath = filer.RefShadowFile()->NativePath();
    WriteThrough(filer, "new");

    filer.Abort();
    EXPECT_EQ(filer.RefStatus(), 3);
    EXPECT_EQ(filer.RefShadowFile(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(shadowPath));
    EXPECT_EQ(ReadBytes(target->NativePath()), "old contents");

    ShadowFiler unwritten;
    unwritten.Constructor(target);
    unwritten.Abort();
    EXPECT_EQ(unwritten.RefStatus(), 3);
    EXPECT_EQ(ReadBytes(target->NativePath()), "old contents");
}

// Every counter from 000001 to 900000 taken: the last one, 900001, is still tried; with that
// taken too there is no shadow and the target is written in place.
TEST(ShadowFilerNamesTest, CountersRunOutAfter900001)
{
    UserFolders scratch;
    const std::string noMount = "cannot mount a file system of the test's own";
    // The names cost as many inodes: a file system of the test's own holds them, in a child
    // with a mount namespace of its own, so that nothing shared fills up. On a loaded machine
    // the search takes a minute or two (tests/CMakeLists.txt gives the test ten).
    const std::string result = RunInChild(
        [&]() -> std::string {
            const bool ownMounts = unshare(CLONE_NEWNS) == 0 || unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0;
            if (!ownMounts || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                mount("none", scratch.Root().c_str(), "ramfs", 0, nullptr) != 0) {
                return noMount;
            }
            std::filesystem::create_directories(scratch.Prefs());
            std::filesystem::create_directories(scratch.Temporary());
            const auto target = std::make_shared<FolderItem>(scratch.Prefs())->Child("Kalmenoの設定");
            WriteBytes(target->NativePath(), "001");
            const std::string temporary = target->TemporaryFolder()->NativePath();
            const int folder = open(temporary.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            WriteBytes(temporary + "/taken", "");
            // Names within the open folder: each link costs one look-up, not one per folder above.
            char name[64];
            for (int n = 1; n <= 900000; ++n) {
                snprintf(name, sizeof name, "Kalmenoの設定%06d", n);
                if (linkat(folder, "taken", folder, name, 0) != 0) {
                    close(folder);
                    return "cannot take counter " + std::to_string(n);
                }
            }
            close(folder);

            ShadowFiler last;
            last.Constructor(target);
            if (last.RefStatus() != 1 || last.RefShadowFile()->Name() != "Kalmenoの設定900001") {
                return "the last counter was not tried";
            }
            // The first filer's claim takes the last name.
            ShadowFiler none;
            none.Constructor(target);
            if (none.RefStatus() != -3 || none.RefShadowAvail() || none.RefShadowFile() != target) {
                return "a shadow was found after the last counter";
            }
            return "";
        },
        590);
    if (result == noMount) {
        GTEST_SKIP() << result;
    }
    EXPECT_EQ(result, "");
}

} // namespace
