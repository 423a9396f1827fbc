// Key presses as KeyDown strings, and shortcut texts as key presses.
#include "framework/qt/KeyTranslation.h"
#include "framework/qt/KeyboardShortcut.h"

#include <gtest/gtest.h>

#include <set>

namespace {

String Translate(int key, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return KeyStringOf(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

bool Matches(const String& shortcut, int key, Qt::KeyboardModifiers modifiers)
{
    const auto parsed = KeyboardShortcut::Parse(shortcut);
    return parsed && parsed->Matches(QKeyEvent(QEvent::KeyPress, key, modifiers));
}

TEST(KeyTranslation, ControlKeysGiveTheirCodesWhateverTheirText)
{
    const std::pair<int, int> table[] = {
        {Qt::Key_Left, 28},   {Qt::Key_Right, 29},    {Qt::Key_Up, 30},     {Qt::Key_Down, 31},
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 3},     {Qt::Key_Escape, 27}, {Qt::Key_Backspace, 8},
        {Qt::Key_Help, 5},    {Qt::Key_Delete, 127},  {Qt::Key_Home, 1},    {Qt::Key_End, 4},
        {Qt::Key_PageUp, 11}, {Qt::Key_PageDown, 12}, {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},
    };
    for (const auto& [key, code] : table) {
        EXPECT_EQ(Translate(key, "\r"), String(1, static_cast<char>(code))) << key;
    }
    EXPECT_EQ(Translate(Qt::Key_Left, {}, Qt::ShiftModifier | Qt::KeypadModifier), "\x1c");
}

TEST(KeyTranslation, PrintableKeysGiveTheirText)
{
    EXPECT_EQ(Translate(Qt::Key_A, "a"), "a");
    EXPECT_EQ(Translate(Qt::Key_4, "4", Qt::KeypadModifier), "4");
    EXPECT_EQ(Translate(Qt::Key_Space, " "), " ");
    EXPECT_EQ(Translate(Qt::Key_A, "\u3042"), "\xe3\x81\x82");
    EXPECT_EQ(Translate(Qt::Key_Exclam, "!", Qt::ControlModifier | Qt::ShiftModifier), "!");
}

TEST(KeyTranslation, OnlyBareModifiersAndLockKeysGiveNothing)
{
    const std::pair<int, Qt::KeyboardModifiers> modifiers[] = {
        {Qt::Key_Shift, Qt::ShiftModifier},       {Qt::Key_Control, Qt::ControlModifier},
        {Qt::Key_Alt, Qt::AltModifier},           {Qt::Key_Meta, Qt::MetaModifier},
        {Qt::Key_AltGr, Qt::GroupSwitchModifier}, {Qt::Key_Super_L, Qt::NoModifier},
        {Qt::Key_CapsLock, Qt::NoModifier},       {Qt::Key_NumLock, Qt::KeypadModifier},
        {Qt::Key_ScrollLock, Qt::NoModifier}};
    for (const auto& [key, held] : modifiers) {
        EXPECT_EQ(Translate(key, {}, held), "") << key;
    }
}

TEST(KeyTranslation, CtrlWithALetterOrSignGivesThatCharacterNotAControlCode)
{
    const auto ctrl = Qt::ControlModifier;
    // As X11 reports them: the text is the control character.
    EXPECT_EQ(Translate(Qt::Key_A, "\x01", ctrl), "a") << "not Home";
    EXPECT_EQ(Translate(Qt::Key_A, "\x01", ctrl | Qt::ShiftModifier), "A");
    EXPECT_EQ(Translate(Qt::Key_H, "\x08", ctrl), "h") << "not Backspace";
    EXPECT_EQ(Translate(Qt::Key_I, "\t", ctrl), "i") << "not Tab";
    EXPECT_EQ(Translate(Qt::Key_M, "\r", ctrl), "m") << "not Return";
    EXPECT_EQ(Translate(Qt::Key_Backslash, "\x1c", ctrl), "\\") << "not the left arrow";
    EXPECT_EQ(Translate(Qt::Key_BracketLeft, "\x1b", ctrl), "[") << "not Esc";
    EXPECT_EQ(Translate(Qt::Key_Space, QString(QChar(0)), ctrl), " ");
    EXPECT_EQ(Translate(Qt::Key_1, {}, ctrl), "1");
}

TEST(KeyTranslation, KeysWithoutTextGiveACodeOutsideTheDispatchersFifteen)
{
    const std::set<int> dispatched{1, 3, 4, 5, 8, 9, 11, 12, 13, 27, 28, 29, 30, 31, 127};
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_F1, Qt::NoModifier},         {Qt::Key_F12, Qt::NoModifier},
        {Qt::Key_F5, Qt::ControlModifier},    {Qt::Key_Insert, Qt::NoModifier},
        {Qt::Key_Insert, Qt::KeypadModifier}, {Qt::Key_Clear, Qt::KeypadModifier},
        {Qt::Key_Print, Qt::NoModifier},      {Qt::Key_Pause, Qt::NoModifier},
        {Qt::Key_Menu, Qt::NoModifier},       {Qt::Key_VolumeUp, Qt::NoModifier},
        {Qt::Key_unknown, Qt::NoModifier}};
    for (const auto& [key, held] : keys) {
        const String translated = Translate(key, {}, held);
        ASSERT_EQ(translated.size(), 1u) << key;
        EXPECT_FALSE(dispatched.count(static_cast<unsigned char>(translated[0]))) << key;
    }
    // Without Num Lock the keypad's other keys are the control keys they are labelled with.
    EXPECT_EQ(Translate(Qt::Key_Left, {}, Qt::KeypadModifier), "\x1c");
    EXPECT_EQ(Translate(Qt::Key_Home, {}, Qt::KeypadModifier), "\x01");
}

TEST(KeyboardShortcut, CmdIsCtrlAndModifiersMustMatchExactly)
{
    EXPECT_TRUE(Matches("Cmd+W", Qt::Key_W, Qt::ControlModifier));
    EXPECT_TRUE(Matches("Cmd+W", Qt::Key_W, Qt::ControlModifier | Qt::KeypadModifier));
    EXPECT_FALSE(Matches("Cmd+W", Qt::Key_W, Qt::NoModifier));
    EXPECT_FALSE(Matches("Cmd+W", Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(Matches("Cmd+W", Qt::Key_W, Qt::MetaModifier));
    EXPECT_TRUE(Matches("Cmd+.", Qt::Key_Period, Qt::ControlModifier));
    EXPECT_FALSE(Matches("Cmd+.", Qt::Key_Greater, Qt::ControlModifier | Qt::ShiftModifier));
}

TEST(KeyboardShortcut, ShiftedBracketsMatchAsThePhysicalKey)
{
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    EXPECT_TRUE(Matches("Cmd+Shift+[", Qt::Key_BracketLeft, ctrlShift));
    EXPECT_TRUE(Matches("Cmd+Shift+[", Qt::Key_BraceLeft, ctrlShift));
    EXPECT_TRUE(Matches("Cmd+Shift+]", Qt::Key_BraceRight, ctrlShift));
    EXPECT_FALSE(Matches("Cmd+Shift+[", Qt::Key_BracketLeft, Qt::ControlModifier));
    EXPECT_FALSE(Matches("Cmd+[", Qt::Key_BraceLeft, ctrlShift));
    EXPECT_FALSE(Matches("Cmd+Shift+[", Qt::Key_BraceRight, ctrlShift));
}

TEST(KeyboardShortcut, TextsThatNameNoSingleKeyAreNoShortcut)
{
    for (const String text : {"", "Cmd+", "Cmd+F12", "W", "Cmd+Shift+", "Hyper+W", "Cmd+ "}) {
        const bool parsed = KeyboardShortcut::Parse(text).has_value();
        EXPECT_EQ(parsed, text == "W") << text;
    }
    EXPECT_EQ(KeyboardShortcut::Parse("Cmd+Shift+[")->DisplayText(), "Ctrl+Shift+[");
}

} // namespace
