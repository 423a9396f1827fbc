#include "tools/mediamaker/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

struct Partial {
    double ratio;
    double amplitude;
    double decayScale; // this partial's decay relative to the fundamental's
};

std::vector<Partial> PartialsOf(Timbre timbre)
{
    switch (timbre) {
    case Timbre::Wood:
        return {{1, 1, 1}, {2.57, 0.35, 0.5}, {4.3, 0.15, 0.3}};
    case Timbre::Marimba:
        return {{1, 1, 1}, {4.0, 0.22, 0.25}, {9.9, 0.05, 0.12}};
    case Timbre::Bell:
        return {{1, 1, 1}, {2.0, 0.35, 0.8}, {2.76, 0.3, 0.6}, {5.4, 0.12, 0.35}, {8.93, 0.05, 0.2}};
    case Timbre::Soft:
        return {{1, 1, 1}, {2, 0.18, 0.7}, {3, 0.06, 0.5}};
    case Timbre::Reed:
        return {{1, 1, 1}, {3, 0.22, 1}, {5, 0.08, 1}, {7, 0.03, 1}};
    }
    return {};
}

// Raised-cosine ramp from 0 at t = 0 to 1 at t = span.
double Ramp(double t, double span)
{
    return t >= span ? 1 : 0.5 - 0.5 * std::cos(M_PI * std::max(t, 0.0) / span);
}

void AddNote(std::vector<double>& mix, const Note& note)
{
    constexpr double Attack = 0.004;
    const double release = std::min(0.06, note.length * 0.3);
    const std::vector<Partial> partials = PartialsOf(note.timbre);
    const int first = int(note.start * SampleRate);
    const int count = int(note.length * SampleRate);
    std::vector<double> phase(partials.size(), 0.0);
    for (int i = 0; i < count && first + i < int(mix.size()); ++i) {
        const double t = double(i) / SampleRate;
        const double progress = t / note.length;
        const double bend = std::pow(note.glide, progress) * (1 + note.vibrato * std::sin(2 * M_PI * 5.5 * t));
        const double envelope = Ramp(t, Attack) * Ramp(note.length - t, release);
        double value = 0;
        for (size_t k = 0; k < partials.size(); ++k) {
            const Partial& p = partials[k];
            phase[k] += 2 * M_PI * note.frequency * p.ratio * bend / SampleRate;
            value += p.amplitude * std::exp(-t / (note.decay * p.decayScale)) * std::sin(phase[k]);
        }
        mix[first + i] += note.gain * envelope * value;
    }
}

void WriteLittleEndian(std::ofstream& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.put(char((value >> (8 * i)) & 0xff));
    }
}

} // namespace

std::vector<double> RenderNotes(const std::vector<Note>& notes, double seconds, double peak)
{
    std::vector<double> mix(size_t(seconds * SampleRate), 0.0);
    for (const Note& note : notes) {
        AddNote(mix, note);
    }
    double loudest = 0;
    for (double v : mix) {
        loudest = std::max(loudest, std::abs(v));
    }
    const double scale = loudest > 0 ? peak / loudest : 0;
    const size_t fade = SampleRate / 200;
    for (size_t i = 0; i < mix.size(); ++i) {
        const double edge = double(std::min(i, mix.size() - 1 - i));
        mix[i] *= scale * Ramp(edge, double(fade));
    }
    return mix;
}

bool WriteWav(const std::string& path, const std::vector<double>& samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    WriteLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    WriteLittleEndian(out, 16, 4); // format chunk size
    WriteLittleEndian(out, 1, 2);  // PCM
    WriteLittleEndian(out, 1, 2);  // mono
    WriteLittleEndian(out, SampleRate, 4);
    WriteLittleEndian(out, SampleRate * 2, 4); // bytes per second
    WriteLittleEndian(out, 2, 2);              // bytes per frame
    WriteLittleEndian(out, 16, 2);             // bits per sample
    out.write("data", 4);
    WriteLittleEndian(out, dataBytes, 4);
    for (double v : samples) {
        const auto s = int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
        WriteLittleEndian(out, uint16_t(s), 2);
    }
    return bool(out);
}
