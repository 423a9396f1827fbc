// The move log: one board string per position of the game, entry 0 the starting board;
// undo, redo and retry show its entries again.

#include "puzzle/GameField.h"

#include "components/media/Sounds.h"

void GameField::GameLogSave()
{
    // A game makes at most 24 entries; a save beyond the last slot is dropped.
    if (ItsLogCurrent + 1 >= LogSize) {
        return;
    }
    ++ItsLogCurrent;
    ItsLogArrey[ItsLogCurrent] = SaveToString();
    ItsLogLimit = ItsLogCurrent;
}

void GameField::GameLogRestore(Int32 index)
{
    if (0 <= index && index <= ItsLogLimit) {
        RestoreFromString(ItsLogArrey[index]);
        ItsLogCurrent = index;
    }
}

void GameField::GameUndo()
{
    if (IsUndoAvail()) {
        StepLog(-1, MovePriority);
        ButtonUpdate();
    }
}

void GameField::GameRedo()
{
    if (IsRedoAvail()) {
        StepLog(+1, MovePriority);
        ButtonUpdate();
    }
}

bool GameField::IsUndoAvail()
{
    return ItsGamePhase == Playing && ItsClickCell < 0 && ItsLogCurrent >= 1;
}

bool GameField::IsRedoAvail()
{
    return ItsGamePhase == Playing && ItsClickCell < 0 && ItsLogCurrent < ItsLogLimit;
}

void GameField::StepLog(Int32 delta, Int32 priority)
{
    PushSound(StepSnd(), priority);
    GameLogRestore(ItsLogCurrent + delta);
}
