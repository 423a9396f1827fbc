#include "tools/mediamaker/SoundSet.h"

#include "tools/mediamaker/SoundSynth.h"

namespace {

// Equal-tempered pitches used below.
constexpr double E4 = 329.63, Fs4 = 369.99, F4 = 349.23, G4 = 392.00;
constexpr double C5 = 523.25, E5 = 659.26, G5 = 783.99, A5 = 880.00;
constexpr double C6 = 1046.50, D6 = 1174.66, E6 = 1318.51;

// Two soft reed beeps: the game was broken off.
std::vector<double> Beep()
{
    return RenderNotes({{0.00, A5, 0.10, 1, Timbre::Reed, 0.5}, {0.15, A5, 0.11, 1, Timbre::Reed, 0.5}}, 0.28,
                       0.42);
}

// A short wooden knock: a tile is picked up.
std::vector<double> Click()
{
    return RenderNotes({{0.0, E6, 0.06, 1, Timbre::Wood, 0.014}}, 0.07, 0.45);
}

// A rising figure that opens onto a ringing major chord.
std::vector<double> Complete()
{
    std::vector<Note> notes = {
        {0.00, G4, 0.30, 0.8, Timbre::Marimba, 0.18},
        {0.11, C5, 0.30, 0.8, Timbre::Marimba, 0.18},
        {0.22, E5, 0.30, 0.8, Timbre::Marimba, 0.18},
        {0.33, G5, 0.30, 0.8, Timbre::Marimba, 0.18},
    };
    for (double f : {C5, E5, G5, C6}) {
        notes.push_back({0.46, f, 1.10, 0.55, Timbre::Bell, 0.32});
    }
    return RenderNotes(notes, 1.6, 0.62);
}

// A slow falling figure that sags at its end: no move is left.
std::vector<double> DeadEnd()
{
    return RenderNotes({{0.00, G4, 0.24, 1, Timbre::Soft, 0.35},
                        {0.22, Fs4, 0.24, 1, Timbre::Soft, 0.35},
                        {0.44, F4, 0.24, 1, Timbre::Soft, 0.35},
                        {0.66, E4, 0.80, 1, Timbre::Soft, 0.3, 0.97, 0.006}},
                       1.47, 0.45);
}

// True silence, for the player's idle sound.
std::vector<double> Silence()
{
    return std::vector<double>(SampleRate / 10, 0.0);
}

// One clear bell note to judge the volume by.
std::vector<double> VolumeSample()
{
    return RenderNotes({{0.0, A5, 0.55, 1, Timbre::Bell, 0.28}}, 0.56, 0.6);
}

// A quick rising arpeggio: a new board is laid out.
std::vector<double> Start()
{
    return RenderNotes({{0.00, C5, 0.30, 1, Timbre::Marimba, 0.15},
                        {0.07, E5, 0.30, 1, Timbre::Marimba, 0.15},
                        {0.14, G5, 0.30, 1, Timbre::Marimba, 0.15},
                        {0.21, C6, 0.40, 1, Timbre::Marimba, 0.2}},
                       0.62, 0.55);
}

// A soft upward blip: one move taken back or made again.
std::vector<double> Step()
{
    return RenderNotes({{0.0, C5, 0.09, 1, Timbre::Soft, 0.06, 1.18}}, 0.10, 0.42);
}

// A bright two-bar ding: a tile vanishes.
std::vector<double> Tile()
{
    return RenderNotes({{0.0, G5, 0.28, 1, Timbre::Marimba, 0.12}, {0.0, D6, 0.22, 0.35, Timbre::Marimba, 0.08}},
                       0.29, 0.55);
}

} // namespace

std::vector<NamedSound> GameSounds()
{
    return {
        {"BeepSnd.wav", Beep()},       {"ClickSnd.wav", Click()},     {"CompleteSnd.wav", Complete()},
        {"DeadEndSnd.wav", DeadEnd()}, {"SilenceSnd.wav", Silence()}, {"SoundVolSnd.wav", VolumeSample()},
        {"StartSnd.wav", Start()},     {"StepSnd.wav", Step()},       {"TileSnd.wav", Tile()},
    };
}
