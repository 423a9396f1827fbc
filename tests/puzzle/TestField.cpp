#include "tests/puzzle/TestField.h"

#include "app/ApplFields.h"
#include "framework/TestSeams.h"

TestField::TestField(std::shared_ptr<GameTable> table)
{
    table->Constructor(4, 4, 4, -4);
    ItsGameTable = std::move(table);
}

void TestField::SetBoard(const Board& board)
{
    for (Int32 s = 0; s < 24; ++s) {
        ItsGameTable->GetGameCell(s)->SetValue(board[s]);
    }
}

Board TestField::GetBoard() const
{
    Board board;
    for (Int32 s = 0; s < 24; ++s) {
        board[s] = ItsGameTable->GetGameCell(s)->RefValue();
    }
    return board;
}

void TestField::SelectMove(BoardMove move)
{
    ItsClickCell = move.From;
    ItsTargetCell = move.To;
}

void RecordingSoundPlayer::PushQueue(const std::shared_ptr<Sound>& snd, Int32 priority)
{
    Pushed.push_back({snd, priority});
    SoundPlayer::PushQueue(snd, priority);
}

RecordedApp::RecordedApp() : itsPlayer(std::make_shared<RecordingSoundPlayer>())
{
    SetResourcesFolderOverride(KALMENO_TEST_RESOURCES);
    auto app = std::make_shared<ApplFields>();
    app->ItsSoundPlayer = itsPlayer;
    RuntimeRegisterAppObject(app);
}

RecordedApp::~RecordedApp()
{
    RuntimeRegisterAppObject(nullptr);
    SetResourcesFolderOverride(std::nullopt);
}
