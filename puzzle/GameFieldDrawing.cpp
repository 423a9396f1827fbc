// Setting up what the field shows, and painting it from scratch each tick.

#include "puzzle/GameField.h"

#include "components/buttonpicture/ButtonPicture.h"
#include "components/media/Pictures.h"
#include "components/picturefader/PictureFader.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "puzzle/BoardRules.h"
#include "puzzle/FieldGeometry.h"

namespace {

// The depth of a button group's composite picture.
constexpr Int32 ButtonDepth = 32;

// A group of two buttons in the button row, hit-tested through the two shared masks.
std::shared_ptr<ButtonPicture> NewButtonGroup(std::shared_ptr<Picture> base, Int32 left,
                                              std::shared_ptr<Picture> normal0, std::shared_ptr<Picture> pushed0,
                                              std::shared_ptr<Picture> normal1, std::shared_ptr<Picture> pushed1)
{
    auto group = std::make_shared<ButtonPicture>();
    group->Constructor(std::move(base), left, ButtonRowTop, ButtonDepth, true);
    group->AddButton(std::move(normal0), std::move(pushed0), Button0Mask());
    group->AddButton(std::move(normal1), std::move(pushed1), Button1Mask());
    return group;
}

// A fader of an end picture, hidden, its shape the picture's pixels that are not pure white.
std::shared_ptr<PictureFader> NewHiddenFader(const std::shared_ptr<Picture>& pic)
{
    auto fader = std::make_shared<PictureFader>();
    fader->Constructor(pic, 0.0, 1, nullptr);
    return fader;
}

// A green picture of the field's size whose mask lets 40 % of it show through in the dead end
// disc in the middle, and nothing outside it.
std::shared_ptr<Picture> NewMaskPicture()
{
    auto picture = Picture::New(FieldSize, FieldSize, 32);
    if (!picture) {
        return nullptr;
    }
    Graphics& g = *picture->Graphics();
    g.UseOldRenderer = true;
    g.ForeColor = Color(0x009900);
    g.FillRect(0, 0, FieldSize, FieldSize);
    if (const auto mask = picture->Mask(true)) {
        Graphics& m = *mask->Graphics();
        m.UseOldRenderer = true;
        m.ForeColor = Color(0xFFFFFF);
        m.FillRect(0, 0, FieldSize, FieldSize);
        m.ForeColor = Color(0x999999);
        m.FillOval(FieldCentre - DeadEndDiscDiameter / 2, FieldCentre - DeadEndDiscDiameter / 2,
                   DeadEndDiscDiameter, DeadEndDiscDiameter);
    }
    return picture;
}

void SetButtonEnabled(ButtonPicture& group, Int32 index, bool enabled)
{
    if (enabled) {
        group.ButtonEnable(index);
    } else {
        group.ButtonDisable(index);
    }
}

} // namespace

void GameField::MakePictures()
{
    ItsStartButton = NewButtonGroup(StartBtnPictB(), StartGroupLeft, StartBtnPictN(), StartBtnPictR(),
                                    RetryBtnPictN(), RetryBtnPictR());
    ItsUndoButton = NewButtonGroup(UndoBtnPictB(), UndoGroupLeft, UndoBtnPictN(), UndoBtnPictR(), RedoBtnPictN(),
                                   RedoBtnPictR());
    ItsMaskPicture = NewMaskPicture();
    ItsCompleteFader = NewHiddenFader(CompletePict());
    ItsDeadEndFader = NewHiddenFader(DeadEndPict());
}

void GameField::PaintOffscreen()
{
    // Without an off-screen picture there is nothing to paint into.
    if (!OffscreenGraphics) {
        return;
    }
    Graphics& g = *OffscreenGraphics;

    Int32 hover = -1;
    Int32 hoverValue = -1;
    if (ItsGamePhase >= Playing) {
        const Int32 s = CellAt(GetMouseLocalX(), GetMouseLocalY());
        if (s >= 0 && CellValue(s) >= 0) {
            hover = s;
            hoverValue = CellValue(s);
        }
    }

    g.DrawPicture(BackPict(), 0, 0);

    if (ItsGamePhase == Ready && ItsEndStatus > Complete) {
        g.DrawPicture(EndPict(), BannerLeft, BannerTop, BannerWidth, BannerHeight, 0, ItsEndStatus * BannerHeight,
                      BannerWidth, BannerHeight);
    }

    const auto triangles = TrianglePict();
    const auto highlighted = TriangleHiPict();
    const auto digits = TilePict();
    WalkBoard(*ItsGameTable, [&](Int32 s, GameCell& cell) {
        const Int32 value = cell.RefValue();
        if (value < 0) {
            return;
        }
        const Int32 left = CellLeft(ItsGameTable->GetCurrentPosX());
        const Int32 top = CellTop(ItsGameTable->GetCurrentPosY());
        const bool up = cell.IsCellUp();
        g.DrawPicture(IsHighlighted(s, hover, hoverValue) ? highlighted : triangles, left, top, CellWidth,
                      CellHeight, 0, up ? CellHeight : 0, CellWidth, CellHeight);
        g.DrawPicture(digits, left + DigitLeft, top + (up ? DigitTopUp : DigitTopDown), DigitSize, DigitSize,
                      value * DigitSize, 0, DigitSize, DigitSize);
    });

    if (ItsGamePhase == Ending && ItsSubPhase > EndShowSub) {
        const bool complete = ItsEndStatus == Complete;
        if (complete || ItsEndStatus == DeadEnd) {
            if (!complete && ItsMaskPicture) {
                g.DrawPicture(ItsMaskPicture, 0, 0);
            }
            const auto pic = complete ? CompletePict() : DeadEndPict();
            const Int32 width = pic ? pic->Width() : 0;
            const Int32 height = pic ? pic->Height() : 0;
            (complete ? ItsCompleteFader : ItsDeadEndFader)
                ->DrawPicture(g, (ItsWidth - width) / 2, (ItsHeight - height) / 2);
        }
    }

    ItsStartButton->PaintButton(g);
    ItsUndoButton->PaintButton(g);
}

bool GameField::IsHighlighted(Int32 s, Int32 hover, Int32 hoverValue) const
{
    if (s == ItsClickCell) {
        return true;
    }
    // A neighbour under the pointer that the selected tile could move onto.
    return ItsClickCell >= 0 && s == hover && IsClickNext(s) && ArePartners(CellValue(ItsClickCell), hoverValue);
}

void GameField::ButtonUpdate()
{
    SetButtonEnabled(*ItsStartButton, FirstButton, IsGameReady());
    SetButtonEnabled(*ItsStartButton, SecondButton, IsRetryReady());
    SetButtonEnabled(*ItsUndoButton, FirstButton, IsUndoAvail());
    SetButtonEnabled(*ItsUndoButton, SecondButton, IsRedoAvail());
}
