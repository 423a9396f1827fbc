#pragma once
// Places where tests replace what the layer would otherwise take from the machine.
// Passing nullptr (or std::nullopt) restores the real source. Nothing in the game calls these.

#include "framework/Types.h"

#include <functional>
#include <optional>

class Sound;

// Rnd() draws from this source instead of the seeded generator.
void SetRndSource(std::function<double()> source);

// Microseconds() reads this clock instead of the steady clock.
void SetMicrosecondsSource(std::function<double()> source);

// Keyboard::ShiftKey() and System::MouseDown() answer these values.
void SetShiftKeyOverride(std::optional<bool> held);
void SetMouseDownOverride(std::optional<bool> down);

// Called with the sound and its volume each time a Sound starts to play.
void SetSoundPlayObserver(std::function<void(const Sound&, Int32 volume)> observer);

// The file the sound was opened from.
String SoundSourceFile(const Sound& sound);

// How often Beep() has sounded in this process.
Int32 BeepCount();

// The folder the layer takes as the application's resources folder.
void SetResourcesFolderOverride(std::optional<String> path);
