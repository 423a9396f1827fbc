#pragma once
// The puzzle on its canvas: the board, the rules and the board generator, the phase machine
// that advances one step per game tick, the move log with undo, redo and retry, the drawing
// of the field and its picture buttons, and the mouse input.

#include "components/offscreencanvas/OffscreenCanvas.h"
#include "puzzle/BoardRules.h"
#include "puzzle/GameTable.h"

#include <array>
#include <memory>

class ButtonPicture;
class MouseCursor;
class Picture;
class PictureFader;
class Sound;

class GameField : public OffscreenCanvas {
protected:
    // Makes the board, the button groups, the mask picture and the faders, and sets the
    // phase machine to its start.
    void Initialize() override;
    // Paints the whole field into the off-screen picture.
    void PaintOffscreen() override;

public:
    void Event_MouseUp(Int32 x, Int32 y) override;
    bool Event_MouseDown(Int32 x, Int32 y) override;
    // One step of the phase machine, then cursor, repaint and refresh.
    virtual void GameStep();
    virtual void GameStart();

protected:
    // A press: selects a tile or holds a picture button; True asks for the release.
    virtual bool MouseClick(Int32 x, Int32 y);
    // Every cell empty.
    virtual void GameClear();
    // Fills the empty board with a new puzzle that can be cleared.
    virtual void GameMake();
    virtual void MouseRelease(Int32 x, Int32 y);
    // The move from ItsClickCell onto ItsTargetCell: a MoveResult.
    virtual Int32 GameAction1();
    virtual void GameAction2();
    // True when no move is left; ItsEndStatus then tells Complete from DeadEnd.
    virtual bool GameTest();

public:
    virtual bool IsGameReady();
    virtual void GameAbort();
    virtual bool IsGameActive();

protected:
    // The board as "KLMa:" and one digit or "-" per cell.
    virtual String SaveToString();
    // Sets every cell from a board string; a string without the prefix changes nothing.
    virtual void RestoreFromString(const String& boardString);
    virtual void GameLogSave();

public:
    virtual void GameRetry();
    virtual bool IsRetryReady();

protected:
    virtual void GameLogRestore(Int32 index);

public:
    virtual void GameUndo();
    virtual void GameRedo();
    virtual bool IsUndoAvail();
    virtual bool IsRedoAvail();

protected:
    virtual void ButtonUpdate();
    // Chooses the mouse cursor and lets a held picture button follow the pointer.
    virtual void MouseTrace();

public:
    virtual void GameUndoAll();
    virtual void GameRedoAll();

protected:
    // The phases of the game, as ItsGamePhase holds them.
    enum Phase : Int32 {
        StartUp = 0,
        Ready = 1,
        Starting = 2,
        Playing = 3,
        Moving = 4,
        UndoingAll = 5,
        RedoingAll = 6,
        Ending = 7,
    };
    // The buttons of each ButtonPicture group, in the order they are added: start or undo
    // first, retry or redo second.
    enum GroupButton : Int32 { FirstButton = 0, SecondButton = 1 };
    // The button held, as ItsButtonIndex holds it: the group's own index, plus UndoButton for
    // the undo/redo group.
    enum ButtonIndex : Int32 { NoButton = -1, StartButton = 0, RetryButton = 1, UndoButton = 2, RedoButton = 3 };
    // The cursor last set, as ItsCursorIndex holds it; 0 is the default arrow.
    enum CursorIndex : Int32 {
        DefaultCursorIndex = 0,
        FieldCursorIndex = 1,
        SelectCursorIndex = 2,
        ButtonCursorIndex = 3,
    };
    // Priorities of the queued sounds; the highest plays first. The sounds of moves and of a
    // single undo or redo come last, the click of a selection first.
    enum SoundPriority : Int32 { MovePriority = 4, PhasePriority = 5, ClickPriority = 6 };
    // Ticks of the start-up phase before the first game is asked for.
    static constexpr Int32 StartUpTicks = 2;
    // Marks of ItsSubPhase in the ending phase: the end picture and sound come at EndShowSub,
    // the fade-out starts at EndFadeSub, and the phase ends after EndLastSub; an abort jumps to
    // AbortSub, past the last mark, and ends on the next tick.
    static constexpr Int32 EndShowSub = 2;
    static constexpr Int32 EndFadeSub = 18;
    static constexpr Int32 EndLastSub = 22;
    static constexpr Int32 AbortSub = 99;
    // Entry 0 and one entry per move: 24 tiles make at most 23 moves, with room to spare.
    static constexpr Int32 LogSize = 33;

    std::shared_ptr<GameTable> ItsGameTable;
    // A Phase.
    Int32 ItsGamePhase = StartUp;
    Int32 ItsSubPhase = 0;
    bool RequestStart = false;
    // The selected tile, -1 for none. It and ItsTargetCell stay 0 until the first board is
    // shown, so the pointer over the board shows the selection cursor while it is made.
    Int32 ItsClickCell = 0;
    // Per edge direction, the selected tile's neighbour when it holds a tile, else -1.
    std::array<Int32, 3> ItsClickNext{};
    // The tile the press was released on, -1 for none.
    Int32 ItsTargetCell = 0;
    bool RequestAbort = false;
    // An EndStatus; it stays until the next start.
    Int32 ItsEndStatus = NotEnded;
    // Board strings, entry 0 the starting board.
    std::array<String, LogSize> ItsLogArrey;
    Int32 ItsLogCurrent = 0;
    Int32 ItsLogLimit = 0;
    bool ItsRetryMode = false;
    std::shared_ptr<ButtonPicture> ItsStartButton;
    std::shared_ptr<ButtonPicture> ItsUndoButton;
    // A ButtonIndex.
    Int32 ItsButtonIndex = 0;
    // A CursorIndex.
    Int32 ItsCursorIndex = DefaultCursorIndex;
    std::shared_ptr<Picture> ItsMaskPicture;
    std::shared_ptr<PictureFader> ItsCompleteFader;
    std::shared_ptr<PictureFader> ItsDeadEndFader;

private:
    // The button groups, the mask picture and the faders.
    void MakePictures();
    // Queues a sound on the application's sound player.
    static void PushSound(const std::shared_ptr<Sound>& snd, Int32 priority);

    // One tick of each phase.
    void StartUpStep();
    void ReadyStep();
    void StartingStep();
    void PlayingStep();
    void MovingStep();
    // Undoing all (delta -1) or redoing all (+1): one log entry per tick, then back to play.
    void LogWalkStep(Int32 delta);
    void EndingStep();
    // Sets the phase, restarts its step counter and updates the buttons.
    void ChangePhase(Int32 phase);
    // No tile selected, no target.
    void ClearSelection();

    // Shows the log entry delta away from the current one, with the step sound.
    void StepLog(Int32 delta, Int32 priority);

    // -1 empty, 0 to 9 a tile.
    Int32 CellValue(Int32 s) const;
    // The cell under a field point, -1 for none; the board's cursor is left on it.
    Int32 CellAt(Int32 x, Int32 y);
    // The cursor of a CursorIndex; null for the default arrow.
    static std::shared_ptr<::MouseCursor> CursorOf(Int32 index);
    // Whether s is one of the selected tile's neighbours that held a tile at the press.
    bool IsClickNext(Int32 s) const;
    // Whether the tile on cell s is drawn highlighted, given the tile under the pointer.
    bool IsHighlighted(Int32 s, Int32 hover, Int32 hoverValue) const;
};
