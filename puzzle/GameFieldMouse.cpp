// Mouse input: a press selects a tile or holds a picture button, the release names the
// move's target or runs the button's command; once a tick the cursor follows the pointer.
// The mouse only records choices: the phase machine acts on them at the next tick.

#include "puzzle/GameField.h"

#include "components/buttonpicture/ButtonPicture.h"
#include "components/media/Cursors.h"
#include "components/media/Sounds.h"
#include "framework/Input.h"
#include "framework/MouseCursor.h"
#include "framework/Window.h"
#include "puzzle/FieldGeometry.h"

bool GameField::Event_MouseDown(Int32 x, Int32 y)
{
    return MouseClick(x, y);
}

void GameField::Event_MouseUp(Int32 x, Int32 y)
{
    MouseRelease(x, y);
}

bool GameField::MouseClick(Int32 x, Int32 y)
{
    if (IsBoardSide(x, y)) {
        if (ItsGamePhase != Playing || ItsClickCell >= 0) {
            return false;
        }
        ItsClickNext.fill(-1);
        ItsTargetCell = -1;
        const Int32 s = CellAt(x, y);
        if (s < 0 || CellValue(s) < 0) {
            return false;
        }
        PushSound(ClickSnd(), ClickPriority);
        ItsClickCell = s;
        for (Int32 direction = 0; direction < 3; ++direction) {
            const Int32 n = ItsGameTable->GetNextEntry(direction);
            if (n >= 0 && CellValue(n) >= 0) {
                ItsClickNext[direction] = n;
            }
        }
        return true;
    }

    ItsButtonIndex = NoButton;
    if (ItsGamePhase == Ready) {
        const Int32 b = ItsStartButton->MouseDown(x, y);
        if (b >= 0) {
            ItsButtonIndex = b;
        }
    } else if (ItsGamePhase == Playing && ItsClickCell < 0) {
        // While a finished move waits for its tick, the undo and redo buttons take no press:
        // their release would drop the move.
        const Int32 b = ItsUndoButton->MouseDown(x, y);
        if (b >= 0) {
            ItsButtonIndex = UndoButton + b;
        }
    }
    return ItsButtonIndex >= 0;
}

void GameField::MouseRelease(Int32 x, Int32 y)
{
    if (ItsClickCell >= 0) {
        ItsTargetCell = -1;
        if (ItsGamePhase == Playing) {
            const Int32 t = CellAt(x, y);
            if (t >= 0 && t != ItsClickCell && IsClickNext(t)) {
                ItsTargetCell = t;
            }
        }
        if (ItsTargetCell < 0) {
            ItsClickCell = -1;
        }
    }

    if (ItsButtonIndex < 0) {
        return;
    }
    // The phase at the release chooses the group, whichever was pressed.
    if (ItsGamePhase == Ready) {
        const Int32 r = ItsStartButton->MouseUp(x, y);
        if (r == FirstButton) {
            GameStart();
        } else if (r == SecondButton) {
            GameRetry();
        }
    } else if (ItsGamePhase == Playing) {
        const Int32 r = ItsUndoButton->MouseUp(x, y);
        const bool all = Keyboard::ShiftKey();
        if (r == FirstButton) {
            all ? GameUndoAll() : GameUndo();
        } else if (r == SecondButton) {
            all ? GameRedoAll() : GameRedo();
        }
    }
    ItsButtonIndex = NoButton;
}

void GameField::MouseTrace()
{
    const Int32 x = GetMouseLocalX();
    const Int32 y = GetMouseLocalY();
    Int32 c = DefaultCursorIndex;
    const auto window = Window();
    if (window && window == WindowAt(0)) {
        if (ItsButtonIndex >= 0) {
            // A held button shows pushed while the pointer is over it.
            (ItsButtonIndex < UndoButton ? ItsStartButton : ItsUndoButton)->MouseMove(x, y);
            c = ButtonCursorIndex;
        } else if (IsBoardSide(x, y)) {
            if (Starting <= ItsGamePhase && ItsGamePhase <= RedoingAll) {
                c = ItsClickCell < 0 ? FieldCursorIndex : SelectCursorIndex;
            }
        } else if (ItsGamePhase == Ready || ItsGamePhase == Playing) {
            const auto& group = ItsGamePhase == Ready ? ItsStartButton : ItsUndoButton;
            if (group->MouseMove(x, y) >= 0) {
                c = ButtonCursorIndex;
            }
        }
    }
    if (c != ItsCursorIndex) {
        SetMouseCursor(CursorOf(c));
        ItsCursorIndex = c;
    }
}

Int32 GameField::CellAt(Int32 x, Int32 y)
{
    ItsGameTable->PosToCurrent(PosXAt(x), PosYAt(y));
    return ItsGameTable->GetCurrentEntry();
}

std::shared_ptr<::MouseCursor> GameField::CursorOf(Int32 index)
{
    switch (index) {
    case FieldCursorIndex:
        return FieldCursor();
    case SelectCursorIndex:
        return SelectCursor();
    case ButtonCursorIndex:
        return ButtonCursor();
    default:
        return nullptr;
    }
}

bool GameField::IsClickNext(Int32 s) const
{
    return s == ItsClickNext[0] || s == ItsClickNext[1] || s == ItsClickNext[2];
}
