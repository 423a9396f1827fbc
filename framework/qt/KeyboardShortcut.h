#pragma once
// A menu item's shortcut such as "Cmd+Shift+[", matched against key presses. Cmd is Ctrl.
// The key is matched as the physical key: Shift+[ comes as "{" and still matches "[".

#include "framework/Types.h"

#include <QKeyEvent>
#include <QString>

#include <optional>

class KeyboardShortcut {
public:
    // nullptr-like std::nullopt for "" or a text that names no single key.
    static std::optional<KeyboardShortcut> Parse(const String& text);

    bool Matches(const QKeyEvent& event) const;
    // As this platform writes it, e.g. "Ctrl+Shift+[".
    QString DisplayText() const;

private:
    KeyboardShortcut(int key, Qt::KeyboardModifiers modifiers);

    int itsKey;
    Qt::KeyboardModifiers itsModifiers;
};
