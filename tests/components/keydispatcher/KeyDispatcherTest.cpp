#include "components/keydispatcher/KeyDispatcher.h"

#include "framework/Text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using KeyEventMember = Event<void(KeyDispatcher&)> KeyDispatcher::*;

struct NamedEvent {
    const char* name;
    KeyEventMember event;
    Int32 code;
};

const std::vector<NamedEvent> allEvents = {
    {"ArrowUp", &KeyDispatcher::ArrowUp, 30},     {"ArrowRight", &KeyDispatcher::ArrowRight, 29},
    {"ArrowDown", &KeyDispatcher::ArrowDown, 31}, {"ArrowLeft", &KeyDispatcher::ArrowLeft, 28},
    {"ReturnKey", &KeyDispatcher::ReturnKey, 13}, {"EnterKey", &KeyDispatcher::EnterKey, 3},
    {"EscapeKey", &KeyDispatcher::EscapeKey, 27}, {"DeleteKey", &KeyDispatcher::DeleteKey, 8},
    {"HelpKey", &KeyDispatcher::HelpKey, 5},      {"DelKey", &KeyDispatcher::DelKey, 127},
    {"HomeKey", &KeyDispatcher::HomeKey, 1},      {"EndKey", &KeyDispatcher::EndKey, 4},
    {"PageUp", &KeyDispatcher::PageUp, 11},       {"PageDown", &KeyDispatcher::PageDown, 12},
    {"TabKey", &KeyDispatcher::TabKey, 9},
};

// A dispatcher with every event recorded by name, in the order raised.
class KeyDispatcherTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const NamedEvent& e : allEvents) {
            (dispatcher.*e.event).Attach([this, name = e.name](KeyDispatcher& sender) {
                EXPECT_EQ(&sender, &dispatcher);
                raised.push_back(name);
            });
        }
    }

    std::vector<String> Dispatch(const String& key, bool expectedResult)
    {
        raised.clear();
        EXPECT_EQ(dispatcher.KeyDispatch(key), expectedResult) << "key code " << Asc(key);
        return raised;
    }

    KeyDispatcher dispatcher;
    std::vector<String> raised;
};

TEST_F(KeyDispatcherTest, EachOfTheFifteenKeysRaisesOnlyItsOwnEvent)
{
    for (const NamedEvent& e : allEvents) {
        EXPECT_EQ(Dispatch(Chr(e.code), true), std::vector<String>{e.name});
    }
}

TEST_F(KeyDispatcherTest, OtherKeysRaiseNothingAndGiveFalse)
{
    for (const char* key : {"a", " ", "Z", "0", "8", "6", "2", "4", "é", "ab"}) {
        EXPECT_TRUE(Dispatch(key, false).empty()) << key;
    }
    for (Int32 code : {0, 2, 6, 7, 10, 14, 26, 32, 126, 128}) {
        EXPECT_TRUE(Dispatch(Chr(code), false).empty()) << code;
    }
    EXPECT_TRUE(Dispatch("", false).empty());
}

TEST_F(KeyDispatcherTest, AKeyOfSeveralCharactersIsJudgedByItsFirst)
{
    EXPECT_EQ(Dispatch(Chr(9) + "abc", true), std::vector<String>{"TabKey"});
    EXPECT_EQ(Dispatch(Chr(28) + Chr(29), true), std::vector<String>{"ArrowLeft"});
    EXPECT_TRUE(Dispatch("a" + Chr(28), false).empty());
}

TEST_F(KeyDispatcherTest, TenKeyArrowReadsTheWholeDigitStringsAsArrows)
{
    dispatcher.TenKeyArrow = true;
    EXPECT_EQ(Dispatch("8", true), std::vector<String>{"ArrowUp"});
    EXPECT_EQ(Dispatch("6", true), std::vector<String>{"ArrowRight"});
    EXPECT_EQ(Dispatch("2", true), std::vector<String>{"ArrowDown"});
    EXPECT_EQ(Dispatch("4", true), std::vector<String>{"ArrowLeft"});
    EXPECT_TRUE(Dispatch("88", false).empty());
    EXPECT_TRUE(Dispatch("5", false).empty());
    EXPECT_EQ(Dispatch(Chr(28), true), std::vector<String>{"ArrowLeft"});

    dispatcher.TenKeyArrow = false;
    EXPECT_TRUE(Dispatch("8", false).empty());
}

TEST(KeyDispatcher, AKnownKeyWithoutAHandlerStillGivesTrue)
{
    KeyDispatcher dispatcher;
    EXPECT_TRUE(dispatcher.KeyDispatch(Chr(13)));
    EXPECT_FALSE(dispatcher.KeyDispatch("q"));
    EXPECT_EQ(dispatcher.VersionInfo(), "2004-03-20,1");
}

} // namespace
