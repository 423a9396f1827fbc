#include "tests/support/RecordingSoundPlayer.h"

void RecordingSoundPlayer::PushQueue(const std::shared_ptr<Sound>& snd, Int32 priority)
{
    Pushed.push_back({snd, priority});
    SoundPlayer::PushQueue(snd, priority);
}
