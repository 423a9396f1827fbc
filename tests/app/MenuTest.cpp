#include "app/Menu.h"

#include "framework/AppleMenuItem.h"
#include "framework/QuitMenuItem.h"

#include <gtest/gtest.h>

#include <map>

namespace {

enum class Kind { Plain, Quit, About };

struct Row {
    const char* title;
    const char* name;
    Kind kind;
    const char* text;
    const char* shortcut;
    bool autoEnable;
};

const Row Rows[] = {
    {"UntitledMenu6", "FileClose", Kind::Plain, "閉じる", "Cmd+W", false},
    {"UntitledMenu6", "UntitledMenu7", Kind::Plain, "-", "", true},
    {"UntitledMenu6", "FileQuit", Kind::Quit, "終了", "Cmd+Q", true},
    {"UntitledMenu4", "EditUndo", Kind::Plain, "取り消し", "Cmd+Z", false},
    {"UntitledMenu4", "UntitledMenu5", Kind::Plain, "-", "", true},
    {"UntitledMenu4", "EditCut", Kind::Plain, "カット", "Cmd+X", false},
    {"UntitledMenu4", "EditCopy", Kind::Plain, "コピー", "Cmd+C", false},
    {"UntitledMenu4", "EditPaste", Kind::Plain, "ペースト", "Cmd+V", false},
    {"UntitledMenu4", "EditClear", Kind::Plain, "消去", "", false},
    {"UntitledMenu1", "GameMenuStart", Kind::Plain, "開始", "Cmd+T", false},
    {"UntitledMenu1", "GameMenuRetry", Kind::Plain, "再挑戦", "Cmd+R", false},
    {"UntitledMenu1", "GameMenuAbort", Kind::Plain, "中断", "Cmd+.", false},
    {"UntitledMenu1", "UntitledMenu3", Kind::Plain, "-", "", true},
    {"UntitledMenu1", "GameMenuUndo", Kind::Plain, "戻る", "Cmd+[", false},
    {"UntitledMenu1", "GameMenuRedo", Kind::Plain, "進む", "Cmd+]", false},
    {"UntitledMenu1", "GameMenuUndoAll", Kind::Plain, "最初へ", "Cmd+Shift+[", false},
    {"UntitledMenu1", "GameMenuRedoAll", Kind::Plain, "最後へ", "Cmd+Shift+]", false},
    {"UntitledMenu1", "UntitledMenu2", Kind::Plain, "-", "", true},
    {"UntitledMenu1", "GameMenuSound", Kind::Plain, "効果音", "", true},
    {"UntitledMenu0", "AppleAbout", Kind::About, "Kalmenoについて...", "", true},
    {"UntitledMenu0", "HelpApp", Kind::Plain, "Kalmenoの説明...", "", true},
};

Kind KindOf(const MenuItem& item)
{
    if (dynamic_cast<const QuitMenuItem*>(&item)) {
        return Kind::Quit;
    }
    if (dynamic_cast<const AppleMenuItem*>(&item)) {
        return Kind::About;
    }
    return Kind::Plain;
}

class MenuTest : public testing::Test {
protected:
    void TearDown() override { Menu::Release(); }
};

} // namespace

TEST_F(MenuTest, TheBarHoldsFourMenusInOrder)
{
    const auto bar = Menu::Instance();
    ASSERT_EQ(bar->Count(), 4);
    const char* names[] = {"UntitledMenu6", "UntitledMenu4", "UntitledMenu1", "UntitledMenu0"};
    const char* texts[] = {"ファイル", "編集", "ゲーム", "help"};
    for (Int32 i = 0; i < 4; ++i) {
        EXPECT_EQ(bar->Item(i)->Name(), names[i]);
        EXPECT_EQ(bar->Item(i)->Text(), texts[i]);
        EXPECT_TRUE(bar->Item(i)->AutoEnable());
        EXPECT_EQ(KindOf(*bar->Item(i)), Kind::Plain);
    }
}

TEST_F(MenuTest, EveryItemHasItsPlaceClassTextShortcutAndAutoEnable)
{
    const auto bar = Menu::Instance();
    Int32 total = 0;
    for (Int32 i = 0; i < bar->Count(); ++i) {
        total += bar->Item(i)->Count();
    }
    EXPECT_EQ(total, static_cast<Int32>(std::size(Rows)));

    // Items come in table order within each menu.
    std::map<String, Int32> next;
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        const auto item = bar->Lookup(row.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(bar->Child(row.title)->Item(next[row.title]++), item);
        EXPECT_EQ(KindOf(*item), row.kind);
        EXPECT_EQ(item->Text(), row.text);
        EXPECT_EQ(item->KeyboardShortcut(), row.shortcut);
        EXPECT_EQ(item->AutoEnable(), row.autoEnable);
        EXPECT_EQ(item->Index(), NoIndex);
        EXPECT_EQ(item->IsSeparator(), String(row.text) == "-");
    }
}

TEST_F(MenuTest, TheVolumeSubmenuHoldsTenStepsByIndex)
{
    const auto bar = Menu::Instance();
    const auto sound = bar->Lookup("GameMenuSound");
    ASSERT_EQ(sound->Count(), 10);
    const char* texts[] = {"■■■■■■■■■", "■■■■■■■■", "■■■■■■■", "■■■■■■", "■■■■■",
                           "■■■■",      "■■■",      "■■",      "■",      "消音"};
    for (Int32 i = 0; i <= 9; ++i) {
        SCOPED_TRACE(i);
        const auto item = bar->Lookup("GameMenuSoundVol", i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(sound->Item(i), item);
        EXPECT_EQ(item->Name(), "GameMenuSoundVol");
        EXPECT_EQ(item->Index(), i);
        EXPECT_EQ(item->Text(), texts[i]);
        EXPECT_EQ(item->KeyboardShortcut(), "");
        EXPECT_FALSE(item->AutoEnable());
        EXPECT_EQ(KindOf(*item), Kind::Plain);
    }
    EXPECT_EQ(bar->Lookup("GameMenuSoundVol", 10), nullptr);
    EXPECT_EQ(bar->Lookup("UntitledMenu8"), nullptr);
}

TEST_F(MenuTest, OneInstanceUntilReleased)
{
    const auto first = Menu::Instance();
    EXPECT_EQ(Menu::Instance(), first);
    Menu::Release();
    const auto second = Menu::Instance();
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Count(), 4);
}
