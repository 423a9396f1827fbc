#pragma once
// The queue of the application's sound player as pushed, before the player files it.

#include "components/soundplayer/SoundPlayer.h"

#include <vector>

class RecordingSoundPlayer : public SoundPlayer {
public:
    struct Push {
        std::shared_ptr<Sound> Snd;
        Int32 Priority;
    };
    void PushQueue(const std::shared_ptr<Sound>& snd, Int32 priority) override;

    std::vector<Push> Pushed;
};
