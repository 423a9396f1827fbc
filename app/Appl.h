#pragma once
// The application object: the preference store and the sound player for the whole run
// (ApplFields, reached through App()), and the application's menu commands.

#include "app/ApplFields.h"

class MenuItem;

class Appl : public ApplFields {
public:
    // Saves the preferences (written only when changed).
    void Event_Close() override;
    // Reads the preferences and sets up the sound player with the saved volume.
    void Event_Open() override;
    // Checks the volume item of the current step.
    void Event_EnableMenuItems() override;
    // Shows the about window modally.
    virtual bool AppleAbout_Action();
    virtual bool HelpApp_Action();
    // Sets the volume step (the item's Index), plays the sample and keeps the step.
    virtual bool GameMenuSoundVol_Action(Int32 index);
};

// The registered application object with its menu commands.
Appl& TheAppl();

// The volume item with that Index (0 to 9) on the application's menu bar.
std::shared_ptr<MenuItem> GameMenuSoundVol(Int32 index);
// The File menu's close item on the application's menu bar.
std::shared_ptr<MenuItem> FileClose();
