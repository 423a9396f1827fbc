#pragma once
// Turns a typed key, as a window's KeyDown receives it, into one of fifteen named key events.

#include "framework/Event.h"
#include "framework/Types.h"

class KeyDispatcher : public Object {
public:
    // When True, the keys "8", "6", "2" and "4" count as the up, right, down and left arrows.
    bool TenKeyArrow = false;

    Event<void(KeyDispatcher&)> ArrowUp;
    Event<void(KeyDispatcher&)> ArrowRight;
    Event<void(KeyDispatcher&)> ArrowDown;
    Event<void(KeyDispatcher&)> ArrowLeft;
    Event<void(KeyDispatcher&)> ReturnKey;
    Event<void(KeyDispatcher&)> EnterKey;
    Event<void(KeyDispatcher&)> EscapeKey;
    Event<void(KeyDispatcher&)> DeleteKey;
    Event<void(KeyDispatcher&)> HelpKey;
    Event<void(KeyDispatcher&)> DelKey;
    Event<void(KeyDispatcher&)> HomeKey;
    Event<void(KeyDispatcher&)> EndKey;
    Event<void(KeyDispatcher&)> PageUp;
    Event<void(KeyDispatcher&)> PageDown;
    Event<void(KeyDispatcher&)> TabKey;

    virtual String VersionInfo();
    // Raises the event of the key's first character; True when it is one of the fifteen keys,
    // whether or not a handler is attached.
    virtual bool KeyDispatch(const String& key);

protected:
    virtual String AdjustWin32(const String& key);
};
