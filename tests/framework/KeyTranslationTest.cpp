// Key presses as KeyDown strings, and shortcut texts as key presses.
#include "framework/qt/KeyTranslation.h"
#include "framework/qt/KeyboardShortcut.h"

#include <gtest/gtest.h>

namespace {

String Translate(int key, const QString& text = QString(),
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
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
        {Qt::Key_Left, 28},     {Qt::Key_Right, 29},    {Qt::Key_Up, 30},      {Qt::Key_Down, 31},
        {Qt::Key_Return, 13},   {Qt::Key_Enter, 3},     {Qt::Key_Escape, 27},  {Qt::Key_Backspace, 8},
        {Qt::Key_Help, 5},      {Qt::Key_Delete, 127},  {Qt::Key_Home, 1},     {Qt::Key_End, 4},
        {Qt::Key_PageUp, 11},   {Qt::Key_PageDown, 12}, {Qt::Key_Tab, 9},      {Qt::Key_Backtab, 9},
    };
    for (const auto& [key, code] : table) {
        EXPECT_EQ(Translate(key, "\r"), String(1, static_cast<char>(code))) << key;
    }
    EXPECT_EQ(Translate(Qt::Key_Left, {}, Qt::ShiftModifier | Qt::KeypadModifier), "\x1c");
}

TEST(KeyTranslation, PrintableKeysGiveTheirTextAndOthersNothing)
{
    EXPECT_EQ(Translate(Qt::Key_A, "a"), "a");
    EXPECT_EQ(Translate(Qt::Key_4, "4", Qt::KeypadModifier), "4");
    EXPECT_EQ(Translate(Qt::Key_Space, " "), " ");
    EXPECT_EQ(Translate(Qt::Key_A, "\u3042"), "\xe3\x81\x82");
    // Bare modifiers, and Ctrl combinations that type control characters.
    EXPECT_EQ(Translate(Qt::Key_Shift, {}, Qt::ShiftModifier), "");
    EXPECT_EQ(Translate(Qt::Key_Control, {}, Qt::ControlModifier), "");
    EXPECT_EQ(Translate(Qt::Key_Alt, {}, Qt::AltModifier), "");
    EXPECT_EQ(Translate(Qt::Key_A, "\x01", Qt::ControlModifier), "");
    EXPECT_EQ(Translate(Qt::Key_BracketLeft, "\x1b", Qt::ControlModifier), "");
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

}  // namespace
