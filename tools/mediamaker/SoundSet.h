#pragma once
// The game's nine sound effects, by file name.

#include <string>
#include <vector>

struct NamedSound {
    std::string file;
    std::vector<double> samples;
};

std::vector<NamedSound> GameSounds();
