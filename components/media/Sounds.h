#pragma once
// The game's sounds, each loaded from the resources folder at its first use and tried only
// once: a sound that failed to load is null for the rest of the run.

#include "framework/Types.h"

class Sound;

std::shared_ptr<Sound> BeepSnd();
std::shared_ptr<Sound> ClickSnd();
std::shared_ptr<Sound> CompleteSnd();
std::shared_ptr<Sound> DeadEndSnd();
std::shared_ptr<Sound> SilenceSnd();
std::shared_ptr<Sound> SoundVolSnd();
std::shared_ptr<Sound> StartSnd();
std::shared_ptr<Sound> StepSnd();
std::shared_ptr<Sound> TileSnd();
