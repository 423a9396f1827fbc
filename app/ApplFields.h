#pragma once
// The one reach upward: the layers below reach the application object through App(), and
// only its two public fields. The application registers itself with the framework at
// start-up (RuntimeRegisterAppObject) and App() finds it there, so nothing below app/ links
// with it.

#include "framework/Application.h"

class ApplPreferences;
class SoundPlayer;

class ApplFields : public Application {
public:
    // Both null until the application's Event_Open.
    std::shared_ptr<ApplPreferences> ItsPrefs;
    std::shared_ptr<SoundPlayer> ItsSoundPlayer;
};

// The registered application object.
inline ApplFields& App()
{
    return static_cast<ApplFields&>(*GetAppObject());
}
