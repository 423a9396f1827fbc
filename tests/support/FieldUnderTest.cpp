#include "tests/support/FieldUnderTest.h"

#include "components/media/Pictures.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"

namespace {

std::shared_ptr<PictureFader> NewProbedFader(const std::shared_ptr<Picture>& pic)
{
    auto fader = std::make_shared<ProbedFader>();
    fader->Constructor(pic, 0.0, 1, nullptr);
    return fader;
}

} // namespace

FieldUnderTest::FieldUnderTest(std::shared_ptr<GameTable> table)
{
    table->Constructor(4, 4, 4, -4);
    ItsGameTable = std::move(table);
}

void FieldUnderTest::OpenAlone()
{
    SetProperties({.Control = {.Left = 0, .Top = 0, .Width = 300, .Height = 300}});
    Event_Open();
    CreateOffscreen(32, true);
}

void FieldUnderTest::Initialize()
{
    GameField::Initialize();
    ItsCompleteFader = NewProbedFader(CompletePict());
    ItsDeadEndFader = NewProbedFader(DeadEndPict());
}

void FieldUnderTest::PaintOffscreen()
{
    ++itsPaintCount;
    GameField::PaintOffscreen();
}

std::shared_ptr<Picture> FieldUnderTest::FrameDrawnAfresh()
{
    auto fresh = Picture::New(ItsWidth, ItsHeight, ItsDepth);
    auto graphics = fresh->Graphics();
    graphics->UseOldRenderer = OffscreenGraphics->UseOldRenderer;
    std::swap(fresh, OffscreenPicture);
    std::swap(graphics, OffscreenGraphics);
    GameField::PaintOffscreen();
    std::swap(fresh, OffscreenPicture);
    std::swap(graphics, OffscreenGraphics);
    return fresh;
}

Board FieldUnderTest::GetBoard() const
{
    Board board;
    for (Int32 s = 0; s < 24; ++s) {
        board[s] = ItsGameTable->GetGameCell(s)->RefValue();
    }
    return board;
}

void FieldUnderTest::SetBoard(const Board& board)
{
    for (Int32 s = 0; s < 24; ++s) {
        ItsGameTable->GetGameCell(s)->SetValue(board[s]);
    }
}

void FieldUnderTest::ReplacePosition(const Board& board)
{
    SetBoard(board);
    ItsLogArrey[ItsLogCurrent] = SaveToString();
}

void FieldUnderTest::SelectMove(BoardMove move)
{
    ItsClickCell = move.From;
    ItsTargetCell = move.To;
}
