#pragma once
// The puzzle on its canvas: the board, the rules and the board generator, the phase machine
// that advances one step per game tick, the move log with undo, redo and retry, the drawing
// of the field and its picture buttons, and the mouse input.

#include "components/offscreencanvas/OffscreenCanvas.h"
#include "puzzle/GameTable.h"

#include <array>
#include <functional>
#include <memory>

class ButtonPicture;
class Picture;
class PictureFader;
class Sound;

class GameField : public OffscreenCanvas {
protected:
    // Makes the board, the button groups, the mask picture and the faders.
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
    // The move from ItsClickCell onto ItsTargetCell: 0 refused, 1 done, 2 done with a 0 left
    // on the target for GameAction2 to remove.
    virtual Int32 GameAction1();
    virtual void GameAction2();
    // True when no move is left; ItsEndStatus then tells complete (1) from dead end (2).
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
    // How the last game ended, as ItsEndStatus holds it.
    enum EndStatus : Int32 { NotEnded = 0, Complete = 1, DeadEnd = 2, Aborted = 3 };
    static constexpr Int32 LogSize = 33;

    std::shared_ptr<GameTable> ItsGameTable;
    // A Phase.
    Int32 ItsGamePhase = StartUp;
    Int32 ItsSubPhase = 0;
    bool RequestStart = false;
    // The selected tile, -1 for none.
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
    // The button held: -1 none, 0 start, 1 retry, 2 undo, 3 redo.
    Int32 ItsButtonIndex = 0;
    // The cursor last set: 0 default, 1 field, 2 select, 3 button.
    Int32 ItsCursorIndex = 0;
    std::shared_ptr<Picture> ItsMaskPicture;
    std::shared_ptr<PictureFader> ItsCompleteFader;
    std::shared_ptr<PictureFader> ItsDeadEndFader;

private:
    // Calls visit(s, cell) for every cell of the board in S order, through the board's cursor.
    void WalkBoard(const std::function<void(Int32 s, GameCell& cell)>& visit);
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
    // Whether s is one of the selected tile's neighbours that held a tile at the press.
    bool IsClickNext(Int32 s) const;
    // Whether the tile on cell s is drawn highlighted, given the tile under the pointer.
    bool IsHighlighted(Int32 s, Int32 hover, Int32 hoverValue) const;
};
