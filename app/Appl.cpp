#include "app/Appl.h"

#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "components/applpreferences/ApplPreferences.h"
#include "components/media/Sounds.h"
#include "components/soundplayer/SoundPlayer.h"
#include "framework/MenuBar.h"

namespace {

// Switches the automatic wait cursor off for its lifetime.
class WaitCursorOff {
public:
    WaitCursorOff() { DisableAutoWaitCursor(); }
    ~WaitCursorOff() { EnableAutoWaitCursor(); }
    WaitCursorOff(const WaitCursorOff&) = delete;
    WaitCursorOff& operator=(const WaitCursorOff&) = delete;
};

constexpr Int32 VolumeItemCount = 10;

// The preference data holds the volume as one letter at this position (from 1).
constexpr Int32 VolumePosition = 1;
constexpr Int32 VolumeLength = 1;
// A first run's data. "1" is no volume letter: the sound player reads it as step 0, full volume.
constexpr const char* DefaultPrefsData = "1";

} // namespace

void Appl::Event_Close()
{
    if (ItsPrefs) {
        ItsPrefs->Save();
    }
}

void Appl::Event_Open()
{
    const WaitCursorOff waitCursorOff;
    ItsPrefs = std::make_shared<ApplPreferences>();
    ItsPrefs->Constructor("Kalmenoの設定", "KLMa");
    ItsPrefs->Restore();
    ItsPrefs->DefaultData(DefaultPrefsData);
    ItsSoundPlayer = std::make_shared<SoundPlayer>();
    ItsSoundPlayer->RestoreData(ItsPrefs->GetPartData(VolumePosition, VolumeLength));
    ItsSoundPlayer->SetSacrifice(SilenceSnd(), 5);
    AutoQuit = true;
}

void Appl::Event_EnableMenuItems()
{
    const Int32 volume = ItsSoundPlayer->RefVolume();
    for (Int32 i = 0; i < VolumeItemCount; ++i) {
        const auto item = GameMenuSoundVol(i);
        item->SetChecked(i == volume);
        if (i != volume) {
            item->SetEnabled(true);
        }
    }
}

bool Appl::AppleAbout_Action()
{
    AboutWindow::Instance()->ShowModal();
    return true;
}

bool Appl::HelpApp_Action()
{
    HelpWindow::Instance()->Show();
    return true;
}

bool Appl::GameMenuSoundVol_Action(Int32 index)
{
    ItsSoundPlayer->SetVolume(index);
    ItsSoundPlayer->Play(SoundVolSnd());
    ItsPrefs->SetPartData(ItsSoundPlayer->SaveData(), VolumePosition);
    return true;
}

Appl& TheAppl()
{
    return static_cast<Appl&>(App());
}

std::shared_ptr<MenuItem> GameMenuSoundVol(Int32 index)
{
    return App().MenuBar()->Lookup("GameMenuSoundVol", index);
}

std::shared_ptr<MenuItem> FileClose()
{
    return App().MenuBar()->Lookup("FileClose");
}
