#pragma once
// The application object, as the rest of the game reaches it through App().

#include "framework/Application.h"

class ApplPreferences;
class SoundPlayer;

class Appl : public Application {
public:
    std::shared_ptr<ApplPreferences> ItsPrefs;
    std::shared_ptr<SoundPlayer> ItsSoundPlayer;
};

// The registered application object.
Appl& App();
