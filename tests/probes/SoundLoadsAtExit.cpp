// Opens the sounds named on the command line and ends at once, as a player who quits right
// after the start would: half of them are released first, the others held to the end.
// Prints how many were still being decoded after the layer's shutdown.
#include "framework/Runtime.h"
#include "framework/Sound.h"
#include "framework/qt/LayerAccess.h"

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::shared_ptr<Sound>> sounds;
    {
        const Runtime runtime = RunFrameworkInitialization(argc, argv);
        for (int i = 1; i < argc; ++i) {
            sounds.push_back(Sound::Open(argv[i]));
        }
        std::printf("opened %d, loading %d\n", static_cast<int>(sounds.size()), SoundAccess::LoadsInFlight());
        sounds.resize(sounds.size() / 2);
    }
    std::printf("after shutdown %d\n", SoundAccess::LoadsInFlight());
    return 0;
}
