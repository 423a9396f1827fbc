#pragma once
// A small additive synthesiser for the game's sound effects, and a 16-bit PCM WAV writer.

#include <string>
#include <vector>

inline constexpr int SampleRate = 44100;

// The overtones a note is made of.
enum class Timbre {
    Wood,    // a short knock
    Marimba, // a mallet on a wooden bar
    Bell,    // inharmonic, long ringing
    Soft,    // a round, nearly pure tone
    Reed,    // odd harmonics, a gentle buzz
};

struct Note {
    double start;     // seconds
    double frequency; // Hz at the start
    double length;    // seconds until the note is silent
    double gain = 1;
    Timbre timbre = Timbre::Marimba;
    double decay = 0.2; // seconds for the fundamental to fall to 1/e
    double glide = 1;   // frequency ratio reached at the note's end
    double vibrato = 0; // depth as a frequency ratio, at 5.5 Hz
};

// Mixes the notes into `seconds` of samples, scaled so that the loudest sample is `peak`
// (0..1 of full scale), with the ends faded so that the sound starts and stops at zero.
std::vector<double> RenderNotes(const std::vector<Note>& notes, double seconds, double peak);

// Writes mono 16-bit PCM at SampleRate; false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<double>& samples);
