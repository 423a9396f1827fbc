// The phase machine: its start, one step per game tick, and the commands that set its requests.

#include "puzzle/GameField.h"

#include "components/media/Sounds.h"
#include "components/picturefader/PictureFader.h"

// The empty board and the pictures, and the machine in StartUp with no game logged.
void GameField::Initialize()
{
    MakePictures();
    ItsGameTable = std::make_shared<GameTable>();
    ItsGameTable->Constructor(4, 4, 4, -4);

    ItsLogLimit = -1;
    ItsEndStatus = NotEnded;
    RequestStart = false;
    RequestAbort = false;
    ItsButtonIndex = NoButton;
    ItsCursorIndex = DefaultCursorIndex;
    ItsGamePhase = StartUp;
    ItsSubPhase = 0;
}

void GameField::GameStep()
{
    switch (ItsGamePhase) {
    case StartUp:
        StartUpStep();
        break;
    case Ready:
        ReadyStep();
        break;
    case Starting:
        StartingStep();
        break;
    case Playing:
        PlayingStep();
        break;
    case Moving:
        MovingStep();
        break;
    case UndoingAll:
        LogWalkStep(-1);
        break;
    case RedoingAll:
        LogWalkStep(+1);
        break;
    case Ending:
        EndingStep();
        break;
    default:
        break;
    }
    MouseTrace();
    PaintOffscreen();
    RefreshPicture(false);
}

void GameField::StartUpStep()
{
    if (ItsSubPhase < StartUpTicks) {
        ++ItsSubPhase;
        return;
    }
    // The first game starts by itself.
    ItsRetryMode = false;
    RequestStart = true;
    ChangePhase(Ready);
}

void GameField::ReadyStep()
{
    if (RequestStart) {
        ChangePhase(Starting);
    }
}

// The board is emptied on the first tick and the new or restored board shown on the second.
void GameField::StartingStep()
{
    if (ItsSubPhase == 0) {
        ItsEndStatus = NotEnded;
        RequestStart = false;
        RequestAbort = false;
        GameClear();
        ItsSubPhase = 1;
        return;
    }
    if (ItsRetryMode) {
        GameLogRestore(0);
    } else {
        GameMake();
        ItsLogCurrent = -1;
        ItsLogLimit = -1;
        GameLogSave();
    }
    PushSound(StartSnd(), PhasePriority);
    ClearSelection();
    ChangePhase(Playing);
}

void GameField::PlayingStep()
{
    if (RequestAbort) {
        ItsEndStatus = Aborted;
        ChangePhase(Ending);
    } else if (ItsClickCell >= 0 && ItsTargetCell >= 0) {
        ChangePhase(Moving);
    }
}

// Sub 0 makes the move; Sub 1 removes a 0 left by it; Sub 2 logs the new board and tests
// for the end.
void GameField::MovingStep()
{
    switch (ItsSubPhase) {
    case 0:
        switch (GameAction1()) {
        case MoveLeftZero:
            ItsSubPhase = 1;
            break;
        case MoveDone:
            ItsSubPhase = 2;
            break;
        default:
            ClearSelection();
            ChangePhase(Playing);
            break;
        }
        break;
    case 1:
        GameAction2();
        ItsSubPhase = 2;
        break;
    case 2:
        ClearSelection();
        GameLogSave();
        ChangePhase(GameTest() ? Ending : Playing);
        break;
    default:
        break;
    }
}

void GameField::LogWalkStep(Int32 delta)
{
    const Int32 next = ItsLogCurrent + delta;
    if (0 <= next && next <= ItsLogLimit) {
        StepLog(delta, PhasePriority);
    } else {
        ChangePhase(Playing);
    }
}

// The end picture appears on the third tick and fades out from the nineteenth; the phase
// ends on the twenty-fourth. An abort only beeps.
void GameField::EndingStep()
{
    if (ItsSubPhase == EndShowSub) {
        if (ItsEndStatus == Complete || ItsEndStatus == DeadEnd) {
            const bool complete = ItsEndStatus == Complete;
            (complete ? ItsCompleteFader : ItsDeadEndFader)->SetFadeRate(1.0);
            PushSound(complete ? CompleteSnd() : DeadEndSnd(), PhasePriority);
            // The final position is out of reach of redo: a retried game plays its last move.
            --ItsLogLimit;
            ItsSubPhase = EndShowSub + 1;
        } else {
            PushSound(BeepSnd(), PhasePriority);
            ItsSubPhase = AbortSub;
        }
    } else if (ItsSubPhase == EndFadeSub) {
        // From opaque to hidden in four ticks.
        (ItsEndStatus == Complete ? ItsCompleteFader : ItsDeadEndFader)->SetFadeRate(-0.26);
        ItsSubPhase = EndFadeSub + 1;
    } else if (ItsSubPhase > EndLastSub) {
        ChangePhase(Ready);
    } else {
        ++ItsSubPhase;
    }
}

void GameField::ChangePhase(Int32 phase)
{
    ItsGamePhase = phase;
    ItsSubPhase = 0;
    ButtonUpdate();
}

void GameField::ClearSelection()
{
    ItsClickCell = -1;
    ItsTargetCell = -1;
}

void GameField::GameStart()
{
    if (ItsGamePhase == Ready) {
        ItsRetryMode = false;
        RequestStart = true;
    }
}

void GameField::GameRetry()
{
    if (ItsGamePhase == Ready) {
        // Before the first game there is nothing to retry: an ordinary start.
        ItsRetryMode = ItsLogLimit >= 0;
        RequestStart = true;
    }
}

void GameField::GameAbort()
{
    if (ItsGamePhase == Playing) {
        RequestAbort = true;
    }
}

void GameField::GameUndoAll()
{
    if (ItsGamePhase == Playing && ItsClickCell < 0) {
        ChangePhase(UndoingAll);
    }
}

void GameField::GameRedoAll()
{
    if (ItsGamePhase == Playing && ItsClickCell < 0) {
        ChangePhase(RedoingAll);
    }
}

bool GameField::IsGameReady()
{
    return ItsGamePhase == Ready;
}

bool GameField::IsGameActive()
{
    return ItsGamePhase == Playing;
}

bool GameField::IsRetryReady()
{
    return ItsGamePhase == Ready && ItsLogLimit >= 0;
}
