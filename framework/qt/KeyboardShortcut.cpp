#include "framework/qt/KeyboardShortcut.h"

#include <QKeySequence>

#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr Qt::KeyboardModifiers ShortcutModifiers = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier |
                                                    Qt::MetaModifier;

// Shift's counterparts of the unshifted keys on a US keyboard.
constexpr std::array<std::pair<char, char>, 21> ShiftedCharacters{{
    {'~', '`'}, {'!', '1'},  {'@', '2'}, {'#', '3'},  {'$', '4'}, {'%', '5'}, {'^', '6'},
    {'&', '7'}, {'*', '8'},  {'(', '9'}, {')', '0'},  {'_', '-'}, {'+', '='}, {'{', '['},
    {'}', ']'}, {'|', '\\'}, {':', ';'}, {'"', '\''}, {'<', ','}, {'>', '.'}, {'?', '/'},
}};

// The key code of the unshifted key that makes this character or key code.
int PhysicalKey(int key)
{
    if (key >= 'a' && key <= 'z') {
        return key - 'a' + 'A';
    }
    for (const auto& [shifted, plain] : ShiftedCharacters) {
        if (key == shifted) {
            return plain;
        }
    }
    return key;
}

bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (text.size() > prefix.size() && text.substr(0, prefix.size()) == prefix) {
        text.remove_prefix(prefix.size());
        return true;
    }
    return false;
}

} // namespace

KeyboardShortcut::KeyboardShortcut(int key, Qt::KeyboardModifiers modifiers) : itsKey(key), itsModifiers(modifiers)
{
}

std::optional<KeyboardShortcut> KeyboardShortcut::Parse(const String& text)
{
    std::string_view rest = text;
    Qt::KeyboardModifiers modifiers;
    for (bool more = true; more;) {
        more = false;
        if (TakePrefix(rest, "Cmd+")) {
            modifiers |= Qt::ControlModifier;
            more = true;
        } else if (TakePrefix(rest, "Shift+")) {
            modifiers |= Qt::ShiftModifier;
            more = true;
        } else if (TakePrefix(rest, "Option+") || TakePrefix(rest, "Alt+")) {
            modifiers |= Qt::AltModifier;
            more = true;
        }
    }
    const auto c = static_cast<unsigned char>(rest.empty() ? 0 : rest.front());
    if (rest.size() != 1 || c <= ' ' || c >= 0x7f) {
        return std::nullopt;
    }
    return KeyboardShortcut(PhysicalKey(c), modifiers);
}

bool KeyboardShortcut::Matches(const QKeyEvent& event) const
{
    return (event.modifiers() & ShortcutModifiers) == itsModifiers && PhysicalKey(event.key()) == itsKey;
}

QString KeyboardShortcut::DisplayText() const
{
    return QKeySequence(QKeyCombination(itsModifiers, Qt::Key(itsKey))).toString(QKeySequence::NativeText);
}
