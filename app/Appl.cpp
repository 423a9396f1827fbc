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
    ItsPrefs->DefaultData("1");
    ItsSoundPlayer = std::make_shared<SoundPlayer>();
    ItsSoundPlayer->RestoreData(ItsPrefs->GetPartData(1, 1));
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
    ItsPrefs->SetPartData(ItsSoundPlayer->SaveData(), 1);
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
