#pragma once
// The puzzle on its canvas: the board, the rules and the board generator, the phase machine
// that advances one step per game tick, the move log with undo, redo and retry, the drawing
// of the field and its picture buttons, and the mouse input.

#include "components/offscreencanvas/OffscreenCanvas.h"
#include "puzzle/GameTable.h"

#include <array>
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
    static constexpr Int32 LogSize = 33;

    std::shared_ptr<GameTable> ItsGameTable;
    // 0 start-up, 1 ready, 2 starting, 3 playing, 4 moving, 5 undoing all, 6 redoing all,
    // 7 ending.
    Int32 ItsGamePhase = 0;
    Int32 ItsSubPhase = 0;
    bool RequestStart = false;
    // The selected tile, -1 for none.
    Int32 ItsClickCell = 0;
    // Per edge direction, the selected tile's neighbour when it holds a tile, else -1.
    std::array<Int32, 3> ItsClickNext{};
    // The tile the press was released on, -1 for none.
    Int32 ItsTargetCell = 0;
    bool RequestAbort = false;
    // 0 not ended, 1 complete, 2 dead end, 3 aborted.
    Int32 ItsEndStatus = 0;
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
    template <class Visit>
    void WalkBoard(Visit visit);
    // Queues a sound on the application's sound player.
    static void PushSound(const std::shared_ptr<Sound>& snd, Int32 priority);
};
