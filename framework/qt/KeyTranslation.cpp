#include "framework/qt/KeyTranslation.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, char>, 16> ControlKeys{{{Qt::Key_Left, 28},
                                                            {Qt::Key_Right, 29},
                                                            {Qt::Key_Up, 30},
                                                            {Qt::Key_Down, 31},
                                                            {Qt::Key_Return, 13},
                                                            {Qt::Key_Enter, 3},
                                                            {Qt::Key_Escape, 27},
                                                            {Qt::Key_Backspace, 8},
                                                            {Qt::Key_Help, 5},
                                                            {Qt::Key_Delete, 127},
                                                            {Qt::Key_Home, 1},
                                                            {Qt::Key_End, 4},
                                                            {Qt::Key_PageUp, 11},
                                                            {Qt::Key_PageDown, 12},
                                                            {Qt::Key_Tab, 9},
                                                            {Qt::Key_Backtab, 9}}};

// Keys that only change or lock what other keys do.
constexpr std::array<int, 13> ModifierKeys{
    Qt::Key_Shift,    Qt::Key_Control, Qt::Key_Meta,        Qt::Key_Alt,     Qt::Key_AltGr,
    Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock,  Qt::Key_Super_L, Qt::Key_Super_R,
    Qt::Key_Hyper_L,  Qt::Key_Hyper_R, Qt::Key_Mode_switch,
};

// The code of every key that stands for no character: function keys, Insert, Print, the
// keypad's 5 without Num Lock and the like.
constexpr char FunctionKeyCode = 16;

bool IsPrintable(const QString& text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control) {
            return false;
        }
    }
    return true;
}

// The character a key stands for, as it is without Ctrl: Qt names such keys by their
// character, letters by the capital. Empty for a key that stands for none.
QString CharacterOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (key <= 0 || key >= Qt::Key_Escape) {
        return {};
    }
    const auto code = static_cast<char32_t>(key);
    const QString character = QString::fromUcs4(&code, 1);
    if (!IsPrintable(character)) {
        return {};
    }
    return event.modifiers() & Qt::ShiftModifier ? character : character.toLower();
}

} // namespace

String KeyStringOf(const QKeyEvent& event)
{
    for (const auto& [key, code] : ControlKeys) {
        if (event.key() == key) {
            return String(1, code);
        }
    }
    for (const int key : ModifierKeys) {
        if (event.key() == key) {
            return String();
        }
    }
    // Ctrl turns letters and some signs into control characters, which would read as the
    // codes above (Ctrl+A as Home, Ctrl+\ as the left arrow): such a key gives its character.
    if (IsPrintable(event.text())) {
        return event.text().toStdString();
    }
    const QString character = CharacterOf(event);
    return character.isEmpty() ? String(1, FunctionKeyCode) : character.toStdString();
}
