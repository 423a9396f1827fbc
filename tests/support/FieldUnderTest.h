#pragma once
// A game field opened to the tests: its state, its protected operations, its off-screen
// picture, and faders whose opacity can be read.

#include "puzzle/GameField.h"
#include "tests/support/Boards.h"
#include "tests/support/ProbedFader.h"

class FieldUnderTest : public GameField {
public:
    // A field that has nothing until it is opened (OpenAlone, or a window's Constructor).
    FieldUnderTest() = default;
    // A field with this board, made as the field makes its own, and nothing else: the board's
    // operations are played without opening the field.
    explicit FieldUnderTest(std::shared_ptr<GameTable> table);

    using GameField::ButtonUpdate;
    using GameField::GameAction1;
    using GameField::GameAction2;
    using GameField::GameClear;
    using GameField::GameLogRestore;
    using GameField::GameLogSave;
    using GameField::GameMake;
    using GameField::GameTest;
    using GameField::MouseClick;
    using GameField::MouseRelease;
    using GameField::MouseTrace;
    using GameField::RestoreFromString;
    using GameField::SaveToString;

    // Opens the field as a 300 by 300 control at (0, 0) outside any window: Initialize,
    // then the off-screen picture at depth 32 with the old renderer.
    void OpenAlone();

    Int32 Phase() const { return ItsGamePhase; }
    Int32 SubPhase() const { return ItsSubPhase; }
    Int32 ClickCell() const { return ItsClickCell; }
    Int32 TargetCell() const { return ItsTargetCell; }
    std::array<Int32, 3> ClickNext() const { return ItsClickNext; }
    Int32 EndStatus() const { return ItsEndStatus; }
    void SetEndStatus(Int32 status) { ItsEndStatus = status; }
    Int32 LogCurrent() const { return ItsLogCurrent; }
    Int32 LogLimit() const { return ItsLogLimit; }
    const String& LogEntry(Int32 index) const { return ItsLogArrey[index]; }
    bool RetryMode() const { return ItsRetryMode; }
    bool StartRequested() const { return RequestStart; }
    bool AbortRequested() const { return RequestAbort; }
    Int32 ButtonIndex() const { return ItsButtonIndex; }
    Int32 CursorIndex() const { return ItsCursorIndex; }
    ProbedFader& CompleteFader() const { return static_cast<ProbedFader&>(*ItsCompleteFader); }
    ProbedFader& DeadEndFader() const { return static_cast<ProbedFader&>(*ItsDeadEndFader); }
    std::shared_ptr<Picture> Offscreen() const { return OffscreenPicture; }
    // Counts the paintings of the off-screen picture.
    void PaintOffscreen() override;
    Int32 PaintCount() const { return itsPaintCount; }
    // The field's frame as it is now, painted into a picture of its own that nothing was drawn
    // into before. A fader that is fading moves on as it does at a tick.
    std::shared_ptr<Picture> FrameDrawnAfresh();

    Board GetBoard() const;
    void SetBoard(const Board& board);
    // Puts the board on the field and into the log entry shown, as if the game had made it.
    void ReplacePosition(const Board& board);
    // The move that the mouse would have chosen, as the next Moving phase finds it.
    void SelectMove(BoardMove move);

protected:
    // The field's own set-up, with probed faders made in the same way in place of its faders.
    void Initialize() override;

private:
    Int32 itsPaintCount = 0;
};
