#pragma once
// The fixture of the game field's tests: a field opened alone, an application object whose
// sound player records what the field queues, draws from Rnd that are always 0.0, and ticks
// run as the main window runs them.

#include "framework/Color.h"
#include "tests/support/BoardCells.h"
#include "tests/support/BoardSolver.h"
#include "tests/support/FieldUnderTest.h"
#include "tests/support/RecordedApp.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

// A queued sound by the name of its accessor ("Start" for StartSnd), with its priority.
struct Queued {
    String Name;
    Int32 Priority;
    friend bool operator==(const Queued&, const Queued&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Queued& q)
    {
        return out << q.Name << "@" << q.Priority;
    }
};
using Sounds = std::vector<Queued>;

class FieldTest : public testing::Test {
protected:
    FieldTest();
    ~FieldTest() override;

    void SetUp() override { field->OpenAlone(); }

    // One tick as the main window runs it: GameStep, then the sound queue played. Gives the
    // sounds queued since the last tick, this one's included.
    Sounds Tick();
    Sounds Ticks(Int32 n);
    // The six ticks of the start-up, after which the first board is shown.
    void StartFirstGame() { Ticks(6); }
    // Ticks while the phase is `phase`, at most `limit`; gives how many were run.
    Int32 TicksWhile(Int32 phase, Int32 limit = 100);

    // A press on cell `from` and its release on cell `to`, straight to the field's mouse
    // operations. Gives the press's result.
    bool Drag(Int32 from, Int32 to);
    // Drags and ticks until the move is over (phase 3 or 7 again).
    void PlayMove(BoardMove move);

    // The off-screen picture's pixel.
    Color PixelAt(Int32 x, Int32 y) const;

    // Run by Tick between the step and the sounds, where the main window brings its screen up
    // to date.
    virtual void AfterStep() {}

    RecordedApp app;
    std::shared_ptr<FieldUnderTest> field = std::make_shared<FieldUnderTest>();

private:
    std::size_t itsHeard = 0;
};
