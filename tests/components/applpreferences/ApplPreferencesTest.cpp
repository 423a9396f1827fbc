#include "components/applpreferences/ApplPreferences.h"

#include "components/applpreferences/FileTypes.h"
#include "framework/FolderItem.h"
#include "tests/components/UserFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>

namespace {

const std::string Name = "Kalmenoの設定";

std::unique_ptr<ApplPreferences> NewStore(const std::string& data = "")
{
    auto store = std::make_unique<ApplPreferences>();
    store->Constructor(Name, "KLMa");
    store->SetData(data);
    return store;
}

std::unique_ptr<ApplPreferences> RestoredStore()
{
    auto store = NewStore();
    store->Restore();
    return store;
}

class ApplPreferencesTest : public ::testing::Test {
protected:
    UserFolders scratch;

    std::string PathOf(const std::string& name) const { return scratch.Prefs() + "/" + name; }

    std::shared_ptr<FolderItem> Item(const std::string& name) const
    {
        return std::make_shared<FolderItem>(PathOf(name));
    }

    // A file under name with these bytes and codes ("" for none).
    void Place(const std::string& name, const std::string& bytes, const std::string& type = "PREF",
               const std::string& creator = "KLMa") const
    {
        WriteBytes(PathOf(name), bytes);
        const auto file = Item(name);
        ASSERT_TRUE(type.empty() || file->SetMacType(type));
        ASSERT_TRUE(creator.empty() || file->SetMacCreator(creator));
    }

    std::vector<std::string> TemporaryNames() const
    {
        return NamesIn(Item(Name)->TemporaryFolder()->NativePath());
    }
};

TEST_F(ApplPreferencesTest, FirstRunWritesTheMarkerAndTheDefault)
{
    const auto store = RestoredStore();
    EXPECT_EQ(store->GetData(), "");
    EXPECT_TRUE(store->DefaultData("1"));
    EXPECT_EQ(store->GetData(), "1");
    EXPECT_FALSE(store->DefaultData("1"));

    store->Save();
    EXPECT_EQ(NamesIn(scratch.Prefs()), std::vector<std::string>{Name});
    EXPECT_EQ(ReadBytes(PathOf(Name)), "001");
    EXPECT_EQ(Item(Name)->MacType(), "PREF");
    EXPECT_EQ(Item(Name)->MacCreator(), "KLMa");
    EXPECT_TRUE(TemporaryNames().empty());
}

TEST_F(ApplPreferencesTest, UnchangedDataAreNotWrittenUnlessSaveModeAsks)
{
    Place(Name, "001");
    const struct stat before = StatOf(PathOf(Name));

    const auto store = RestoredStore();
    EXPECT_EQ(store->GetData(), "1");
    EXPECT_FALSE(store->DefaultData("1"));
    store->SetPartData("1", 1);
    store->Save();
    const struct stat after = StatOf(PathOf(Name));
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_TRUE(TemporaryNames().empty()) << "not even a shadow is made";

    store->SetSaveMode(1);
    store->Save();
    EXPECT_NE(StatOf(PathOf(Name)).st_ino, before.st_ino) << "written again through a new shadow";
    EXPECT_EQ(ReadBytes(PathOf(Name)), "001");
}

TEST_F(ApplPreferencesTest, ChangedDataAreWrittenAtEverySave)
{
    Place(Name, "001");
    const auto store = RestoredStore();
    store->SetPartData("D", 1);
    store->Save();
    EXPECT_EQ(ReadBytes(PathOf(Name)), "00D");
    const ino_t first = StatOf(PathOf(Name)).st_ino;
    store->Save();
    EXPECT_NE(StatOf(PathOf(Name)).st_ino, first);
    EXPECT_EQ(ReadBytes(PathOf(Name)), "00D");
    EXPECT_EQ(NamesIn(scratch.Prefs()), std::vector<std::string>{Name});
}

TEST_F(ApplPreferencesTest, OnlyAMarkerFollowedByDataCounts)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},       {"0", ""},
        {"00", ""},     {"0A1", ""},
        {"01D", ""},    {" 001", ""},
        {"001", "1"},   {"000", "0"},
        {"00D5", "D5"}, {std::string("00\0\xff\r\n", 6), std::string("\0\xff\r\n", 4)},
    };
    for (const auto& [file, data] : cases) {
        SCOPED_TRACE(testing::PrintToString(file));
        Place(Name, file);
        EXPECT_EQ(RestoredStore()->GetData(), data);
    }
}

TEST_F(ApplPreferencesTest, ANewVolumeLetterKeepsTheOtherBytes)
{
    Place(Name, "00D5");
    const auto store = RestoredStore();
    EXPECT_EQ(store->GetData(), "D5");
    EXPECT_EQ(store->GetPartData(1, 1), "D");
    store->SetPartData("A", 1);
    store->Save();
    EXPECT_EQ(ReadBytes(PathOf(Name)), "00A5");
}

TEST_F(ApplPreferencesTest, ForeignItemsUnderTheNameAreSkippedAndNeverReplaced)
{
    struct Foreign {
        const char* what;
        std::string type, creator;
    };
    const Foreign kinds[] = {
        {"no codes", "", ""},
        {"another program's text", "TEXT", "ttxt"},
        {"another creator's preferences", "PREF", "ttxt"},
        {"our creator, another type", "TEXT", "KLMa"},
        {"a folder", "", ""},
    };
    for (const Foreign& kind : kinds) {
        SCOPED_TRACE(kind.what);
        std::filesystem::remove_all(scratch.Prefs());
        std::filesystem::create_directory(scratch.Prefs());
        if (std::string(kind.what) == "a folder") {
            std::filesystem::create_directory(PathOf(Name));
        } else {
            Place(Name, "00D", kind.type, kind.creator);
        }

        const auto first = RestoredStore();
        EXPECT_EQ(first->GetData(), "");
        first->DefaultData("1");
        first->SetPartData("F", 1);
        first->Save();
        EXPECT_EQ(ReadBytes(PathOf(Name + "_1")), "00F");
        EXPECT_EQ(Item(Name + "_1")->MacType(), "PREF");
        EXPECT_EQ(Item(Name + "_1")->MacCreator(), "KLMa");

        const auto second = RestoredStore();
        EXPECT_EQ(second->GetData(), "F");
        second->SetPartData("0", 1);
        second->Save();
        EXPECT_EQ(ReadBytes(PathOf(Name + "_1")), "000");

        EXPECT_EQ(NamesIn(scratch.Prefs()), (std::vector<std::string>{Name, Name + "_1"}));
        if (std::string(kind.what) == "a folder") {
            EXPECT_TRUE(std::filesystem::is_directory(PathOf(Name)));
        } else {
            EXPECT_EQ(ReadBytes(PathOf(Name)), "00D");
            EXPECT_EQ(Item(Name)->MacType(), kind.type);
            EXPECT_EQ(Item(Name)->MacCreator(), kind.creator);
        }
    }
}

TEST_F(ApplPreferencesTest, TheCounterGoesOnPastEveryForeignItem)
{
    Place(Name, "foreign", "", "");
    Place(Name + "_1", "foreign too", "TEXT", "ttxt");
    const auto store = RestoredStore();
    store->DefaultData("1");
    store->Save();
    EXPECT_EQ(ReadBytes(PathOf(Name + "_2")), "001");
    EXPECT_EQ(RestoredStore()->GetData(), "1");
    EXPECT_EQ(ReadBytes(PathOf(Name)), "foreign");
    EXPECT_EQ(ReadBytes(PathOf(Name + "_1")), "foreign too");
}

TEST_F(ApplPreferencesTest, WithoutAPreferencesFolderNothingIsReadOrWritten)
{
    // The folder cannot be made: its parent is a file.
    WriteBytes(scratch.Root() + "/blocker", "x");
    setenv("XDG_CONFIG_HOME", (scratch.Root() + "/blocker/prefs").c_str(), 1);
    const auto store = RestoredStore();
    EXPECT_EQ(store->GetData(), "");
    store->DefaultData("1");
    store->Save();
    EXPECT_EQ(ReadBytes(scratch.Root() + "/blocker"), "x");
}

TEST_F(ApplPreferencesTest, AMissingPreferencesFolderIsMade)
{
    setenv("XDG_CONFIG_HOME", (scratch.Root() + "/new/config").c_str(), 1);
    const auto store = RestoredStore();
    store->DefaultData("1");
    store->Save();
    EXPECT_EQ(ReadBytes(scratch.Root() + "/new/config/" + Name), "001");
}

TEST(ApplPreferencesPartsTest, SetPartDataOverwritesOnlyInsideTheData)
{
    const auto store = NewStore("D");
    store->SetPartData("xy", 2);
    EXPECT_EQ(store->GetData(), "D");

    store->SetData("abc");
    store->SetPartData("xy", 2);
    EXPECT_EQ(store->GetData(), "axy");
    store->SetPartData("xyz", 2);
    EXPECT_EQ(store->GetData(), "axy");
    store->SetPartData("", 4);
    EXPECT_EQ(store->GetData(), "axy");
    for (const Int32 pos : {0, -1, std::numeric_limits<Int32>::min(), std::numeric_limits<Int32>::max()}) {
        store->SetPartData("zz", pos);
        EXPECT_EQ(store->GetData(), "axy") << pos;
    }
    EXPECT_EQ(store->GetPartData(2, 5), "xy");
    EXPECT_EQ(store->GetPartData(4, 1), "");
    EXPECT_EQ(store->GetPartData(0, 2), "");
}

TEST(ApplPreferencesPartsTest, DefaultDataOnlyFillsWhatIsMissing)
{
    const auto store = NewStore("D");
    EXPECT_TRUE(store->DefaultData("1234"));
    EXPECT_EQ(store->GetData(), "D234");
    EXPECT_FALSE(store->DefaultData("12"));
    EXPECT_EQ(store->GetData(), "D234");
}

TEST(ApplPreferencesPartsTest, TailDataMayGrowOrShrinkTheData)
{
    const auto store = NewStore("abc");
    store->SetTailData("d", 4);
    EXPECT_EQ(store->GetData(), "abcd");
    store->SetTailData("X", 6);
    EXPECT_EQ(store->GetData(), "abcd");
    store->SetTailData("Z", 2);
    EXPECT_EQ(store->GetData(), "aZ");
    EXPECT_EQ(store->GetTailData(2), "Z");
    EXPECT_EQ(store->GetTailData(3), "");
    store->SetTailData("new", std::numeric_limits<Int32>::min());
    EXPECT_EQ(store->GetData(), "new");
    store->SetTailData("!", std::numeric_limits<Int32>::max());
    EXPECT_EQ(store->GetData(), "new");
}

TEST(ApplPreferencesPartsTest, IntegersKeepTheirLastDigits)
{
    const auto store = NewStore("..........");
    store->SetPartInteger(42, 1, 3);
    store->SetPartInteger(345, 5, 2);
    EXPECT_EQ(store->GetData(), "042.45....");
    EXPECT_EQ(store->GetPartInteger(1, 3), 42);
    EXPECT_EQ(store->GetPartInteger(5, 2), 45);
    store->SetPartInteger(7, 9, 3);
    EXPECT_EQ(store->GetData(), "042.45....") << "a part reaching past the end changes nothing";

    store->SetData("99999999999");
    EXPECT_EQ(store->GetPartInteger(1, 11), std::numeric_limits<Int32>::max());
    store->SetData("-99999999999");
    EXPECT_EQ(store->GetPartInteger(1, 12), std::numeric_limits<Int32>::min());
}

TEST(ApplPreferencesPartsTest, BooleansAreFalseOnlyForZero)
{
    const auto store = NewStore("1");
    EXPECT_TRUE(store->GetPartBoolean(1));
    EXPECT_TRUE(store->GetPartBoolean(5));
    store->SetPartBoolean(false, 1);
    EXPECT_EQ(store->GetData(), "0");
    EXPECT_FALSE(store->GetPartBoolean(1));
    store->SetData("x");
    EXPECT_TRUE(store->GetPartBoolean(1));
}

TEST(ApplPreferencesPartsTest, ColoursAreSixHexDigitsRedFirst)
{
    const auto store = NewStore("#123456#");
    store->SetPartColor(Color(0x01, 0xAB, 0xFF), 2);
    EXPECT_EQ(store->GetData(), "#01ABFF#");
    EXPECT_EQ(store->GetPartColor(2), Color(0x01, 0xAB, 0xFF));
    EXPECT_EQ(store->GetPartColor(4), Color(0, 0, 0)) << "fewer than six bytes from there";
    store->SetData("#0a0b0c");
    EXPECT_EQ(store->GetPartColor(2), Color(10, 11, 12));
}

TEST(ApplPreferencesPartsTest, VersionAndFileType)
{
    EXPECT_EQ(NewStore()->VersionInfo(), "2011-12-04,1");

    FileTypes::Initialize();
    const auto type = FileTypes::PrefsData();
    ASSERT_TRUE(type);
    EXPECT_EQ(type->Name, "PrefsData");
    EXPECT_EQ(type->Extensions, "");
    EXPECT_EQ(type->MacType, "PREF");
    EXPECT_EQ(type->MacCreator, "KLMa");
    EXPECT_TRUE(FileType::IsRegistered("PrefsData"));
    FileTypes::Release();
    EXPECT_EQ(FileTypes::PrefsData(), nullptr);
}

} // namespace
