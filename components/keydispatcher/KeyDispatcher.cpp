#include "components/keydispatcher/KeyDispatcher.h"

#include "framework/Text.h"

namespace {

using KeyEventMember = Event<void(KeyDispatcher&)> KeyDispatcher::*;

struct KeyEvent {
    Int32 code;
    KeyEventMember event;
};

// In the order the codes are tested.
constexpr KeyEvent keyEvents[] = {
    {30, &KeyDispatcher::ArrowUp},   {29, &KeyDispatcher::ArrowRight}, {31, &KeyDispatcher::ArrowDown},
    {28, &KeyDispatcher::ArrowLeft}, {3, &KeyDispatcher::EnterKey},    {13, &KeyDispatcher::ReturnKey},
    {27, &KeyDispatcher::EscapeKey}, {8, &KeyDispatcher::DeleteKey},   {5, &KeyDispatcher::HelpKey},
    {127, &KeyDispatcher::DelKey},   {1, &KeyDispatcher::HomeKey},     {4, &KeyDispatcher::EndKey},
    {11, &KeyDispatcher::PageUp},    {12, &KeyDispatcher::PageDown},   {9, &KeyDispatcher::TabKey},
};

struct TenKey {
    const char* digit;
    Int32 arrowCode;
};

constexpr TenKey tenKeys[] = {{"8", 30}, {"6", 29}, {"2", 31}, {"4", 28}};

} // namespace

String KeyDispatcher::VersionInfo()
{
    return "2004-03-20,1";
}

bool KeyDispatcher::KeyDispatch(const String& key)
{
    String typed = key;
    if (TenKeyArrow) {
        for (const TenKey& tenKey : tenKeys) {
            if (typed == tenKey.digit) {
                typed = Chr(tenKey.arrowCode);
                break;
            }
        }
    }
    const Int32 code = Asc(typed);
    for (const KeyEvent& keyEvent : keyEvents) {
        if (keyEvent.code == code) {
            (this->*keyEvent.event).Raise(*this);
            return true;
        }
    }
    return false;
}

String KeyDispatcher::AdjustWin32(const String& key)
{
    return key;
}
