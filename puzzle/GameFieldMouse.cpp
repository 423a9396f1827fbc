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

namespace {

enum CursorIndex : Int32 { DefaultCursor = 0, BoardCursor = 1, CarryCursor = 2, PushCursor = 3 };

std::shared_ptr<MouseCursor> CursorOf(Int32 index)
{
    switch (index) {
    case BoardCursor:
        return FieldCursor();
    case CarryCursor:
        return SelectCursor();
    case PushCursor:
        return ButtonCursor();
    default:
        return nullptr;
    }
}

} // namespace

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
        PushSound(ClickSnd(), 6);
        ItsClickCell = s;
        for (Int32 direction = 0; direction < 3; ++direction) {
            const Int32 n = ItsGameTable->GetNextEntry(direction);
            if (n >= 0 && CellValue(n) >= 0) {
                ItsClickNext[direction] = n;
            }
        }
        return true;
    }

    ItsButtonIndex = -1;
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
            ItsButtonIndex = b + 2;
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
        if (r == 0) {
            GameStart();
        } else if (r == 1) {
            GameRetry();
        }
    } else if (ItsGamePhase == Playing) {
        const Int32 r = ItsUndoButton->MouseUp(x, y);
        const bool all = Keyboard::ShiftKey();
        if (r == 0) {
            all ? GameUndoAll() : GameUndo();
        } else if (r == 1) {
            all ? GameRedoAll() : GameRedo();
        }
    }
    ItsButtonIndex = -1;
}

void GameField::MouseTrace()
{
    const Int32 x = GetMouseLocalX();
    const Int32 y = GetMouseLocalY();
    Int32 c = DefaultCursor;
    const auto window = Window();
    if (window && window == WindowAt(0)) {
        if (ItsButtonIndex >= 0) {
            // A held button shows pushed while the pointer is over it.
            (ItsButtonIndex < 2 ? ItsStartButton : ItsUndoButton)->MouseMove(x, y);
            c = PushCursor;
        } else if (IsBoardSide(x, y)) {
            if (Starting <= ItsGamePhase && ItsGamePhase <= RedoingAll) {
                c = ItsClickCell < 0 ? BoardCursor : CarryCursor;
            }
        } else if (ItsGamePhase == Ready || ItsGamePhase == Playing) {
            const auto& group = ItsGamePhase == Ready ? ItsStartButton : ItsUndoButton;
            if (group->MouseMove(x, y) >= 0) {
                c = PushCursor;
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

bool GameField::IsClickNext(Int32 s) const
{
    return s == ItsClickNext[0] || s == ItsClickNext[1] || s == ItsClickNext[2];
}
