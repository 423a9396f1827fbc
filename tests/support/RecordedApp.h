#pragma once
// Registers an application object with a recording sound player for the scope's lifetime,
// with the media taken from the built bundle.

#include "tests/support/RecordingSoundPlayer.h"

#include <memory>

class RecordedApp {
public:
    RecordedApp();
    ~RecordedApp();
    RecordedApp(const RecordedApp&) = delete;
    RecordedApp& operator=(const RecordedApp&) = delete;

    RecordingSoundPlayer& Player() { return *itsPlayer; }

private:
    std::shared_ptr<RecordingSoundPlayer> itsPlayer;
};
