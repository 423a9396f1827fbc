#pragma once
// A game field with its board made and its board operations opened to the tests, and an
// application object whose sound player records every queued sound.

#include "components/soundplayer/SoundPlayer.h"
#include "puzzle/GameField.h"
#include "tests/puzzle/BoardSolver.h"

#include <vector>

class TestField : public GameField {
public:
    explicit TestField(std::shared_ptr<GameTable> table = std::make_shared<GameTable>());

    using GameField::GameAction1;
    using GameField::GameAction2;
    using GameField::GameClear;
    using GameField::GameMake;
    using GameField::GameTest;
    using GameField::RestoreFromString;
    using GameField::SaveToString;

    void SetBoard(const Board& board);
    Board GetBoard() const;
    void SelectMove(BoardMove move);
    Int32 EndStatus() const { return ItsEndStatus; }
    void SetEndStatus(Int32 status) { ItsEndStatus = status; }
};

// The queue of the application's sound player as pushed, before the player files it.
class RecordingSoundPlayer : public SoundPlayer {
public:
    struct Push {
        std::shared_ptr<Sound> Snd;
        Int32 Priority;
    };
    void PushQueue(const std::shared_ptr<Sound>& snd, Int32 priority) override;

    std::vector<Push> Pushed;
};

// Registers an application object with a recording sound player for the scope's lifetime,
// with the media taken from the built bundle.
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
