#include "components/media/Sounds.h"

#include "components/media/SoundShelf.h"

// clang-format off
std::shared_ptr<Sound> BeepSnd() { return SoundShelf::Shared().Get(SoundShelf::Beep); }
std::shared_ptr<Sound> ClickSnd() { return SoundShelf::Shared().Get(SoundShelf::Click); }
std::shared_ptr<Sound> CompleteSnd() { return SoundShelf::Shared().Get(SoundShelf::Complete); }
std::shared_ptr<Sound> DeadEndSnd() { return SoundShelf::Shared().Get(SoundShelf::DeadEnd); }
std::shared_ptr<Sound> SilenceSnd() { return SoundShelf::Shared().Get(SoundShelf::Silence); }
std::shared_ptr<Sound> SoundVolSnd() { return SoundShelf::Shared().Get(SoundShelf::SoundVol); }
std::shared_ptr<Sound> StartSnd() { return SoundShelf::Shared().Get(SoundShelf::Start); }
std::shared_ptr<Sound> StepSnd() { return SoundShelf::Shared().Get(SoundShelf::Step); }
std::shared_ptr<Sound> TileSnd() { return SoundShelf::Shared().Get(SoundShelf::Tile); }
// clang-format on
