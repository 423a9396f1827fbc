#include "components/media/SoundShelf.h"

#include "components/media/ResourceFile.h"
#include "framework/FolderItem.h"
#include "framework/Sound.h"

String SoundShelf::FileName(Id id)
{
    static const char* const names[Count] = {
        "BeepSnd.wav",     "ClickSnd.wav", "CompleteSnd.wav", "DeadEndSnd.wav", "SilenceSnd.wav",
        "SoundVolSnd.wav", "StartSnd.wav", "StepSnd.wav",     "TileSnd.wav",
    };
    return names[id];
}

std::shared_ptr<Sound> SoundShelf::Get(Id id)
{
    Slot& slot = itsSlots[id];
    if (!slot.loaded) {
        slot.loaded = true;
        const auto file = ResourceFile(FileName(id));
        slot.permaSound = file ? file->OpenAsSound() : nullptr;
    }
    return slot.permaSound;
}

void SoundShelf::Release()
{
    for (Slot& slot : itsSlots) {
        slot.loaded = true;
        slot.permaSound = nullptr;
    }
}

SoundShelf& SoundShelf::Shared()
{
    // Never destroyed: a sound must not outlive the framework it plays on, so the slots are
    // emptied by ReleaseMedia() before the framework's clean-up, not by a static destructor.
    static SoundShelf* const shelf = new SoundShelf;
    return *shelf;
}
