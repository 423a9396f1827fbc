#include "components/buttonpicture/ButtonPicture.h"

#include "framework/Graphics.h"
#include "framework/TestSeams.h"
#include "tests/components/TestPictures.h"

#include <gtest/gtest.h>

namespace {

// The group is 40 by 20 at (10, 5). Overlay 0 covers (2, 2)-(13, 17), overlay 1 (26, 2)-(37, 17),
// each on white. Mask 0 is black over x 0..24, mask 1 over x 15..39, both in rows 0..15 only.
constexpr Int32 offsetX = 10;
constexpr Int32 offsetY = 5;
const Color baseGrey(100, 100, 100);
const Color normalColor[] = {Color(220, 0, 0), Color(0, 0, 220)};
const Color pushedColor[] = {Color(110, 0, 0), Color(0, 0, 110)};
const Int32 overlayLeft[] = {2, 26};

// Owner coordinates of points inside the group.
struct Point {
    Int32 x, y;
};
constexpr Point onFirstOnly{offsetX + 5, offsetY + 10};
constexpr Point onBoth{offsetX + 20, offsetY + 10};
constexpr Point onSecondOnly{offsetX + 32, offsetY + 10};
constexpr Point onNoMask{offsetX + 5, offsetY + 18};

std::shared_ptr<Picture> Overlay(Int32 button, Color color)
{
    std::shared_ptr<Picture> overlay = SolidPicture(40, 20, Color(255, 255, 255));
    FillArea(*overlay, overlayLeft[button], 2, 12, 16, color);
    overlay->SetTransparent(1);
    return overlay;
}

std::shared_ptr<Picture> HitMask(Int32 left, Int32 width = 40, Int32 height = 20)
{
    std::shared_ptr<Picture> mask = SolidPicture(width, height, Color(255, 255, 255));
    FillArea(*mask, left, 0, 25, 16, Color(0, 0, 0));
    return mask;
}

// Counts the rebuilds of the composite and opens the protected parts to the tests.
class ProbeButtons : public ButtonPicture {
public:
    Int32 rebuilds = 0;

    Picture& Composite() { return *ItsPicture; }
    Int32 CompositeDepth() const { return ItsPicture->Depth(); }
    void Rebuild(Int32 pushed) { MakePicture(pushed); }

protected:
    void MakePicture(Int32 pushed) override
    {
        ++rebuilds;
        ButtonPicture::MakePicture(pushed);
    }
};

class ButtonPictureTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetMouseDownOverride(false);
        group.Constructor(base, offsetX, offsetY, 32, true);
        group.AddButton(Overlay(0, normalColor[0]), Overlay(0, pushedColor[0]), HitMask(0));
        group.AddButton(Overlay(1, normalColor[1]), Overlay(1, pushedColor[1]), HitMask(15));
    }
    void TearDown() override { SetMouseDownOverride(std::nullopt); }

    // Each button's look in the composite: '-' not drawn, 'N' normal, 'P' pushed. The overlays'
    // white must leave the base showing.
    String Look()
    {
        Picture& composite = group.Composite();
        for (Point basePoint : {Point{0, 0}, Point{20, 10}, Point{8, 19}, Point{39, 0}}) {
            if (PixelOf(composite, basePoint.x, basePoint.y) != baseGrey) {
                return "white not transparent";
            }
        }
        String look;
        for (Int32 i : {0, 1}) {
            const Color c = PixelOf(composite, overlayLeft[i] + 6, 10);
            look += c == baseGrey ? '-' : c == normalColor[i] ? 'N' : c == pushedColor[i] ? 'P' : '?';
        }
        return look;
    }

    Int32 Down(Point p) { return group.MouseDown(p.x, p.y); }
    Int32 Up(Point p) { return group.MouseUp(p.x, p.y); }
    Int32 Move(Point p) { return group.MouseMove(p.x, p.y); }

    std::shared_ptr<Picture> base = SolidPicture(40, 20, baseGrey);
    ProbeButtons group;
};

TEST_F(ButtonPictureTest, TheCompositeShowsTheBaseAndTheEnabledOverlays)
{
    EXPECT_EQ(group.rebuilds, 1); // the set-up's own rebuild goes through the virtual slot
    EXPECT_EQ(Look(), "--");
    group.ButtonEnable(1);
    EXPECT_EQ(Look(), "-N");
    group.ButtonEnable(0);
    EXPECT_EQ(Look(), "NN");
    group.ButtonDisable(1);
    EXPECT_EQ(Look(), "N-");
    group.ButtonDisable(0);
    EXPECT_EQ(Look(), "--");

    // A disabled button is drawn in no look, even when named pushed.
    group.ButtonEnable(0);
    group.Rebuild(1);
    EXPECT_EQ(Look(), "N-");
    group.Rebuild(0);
    EXPECT_EQ(Look(), "P-");

    // Every call rebuilds, with nothing pushed, whether or not the flag changes.
    const Int32 before = group.rebuilds;
    group.ButtonEnable(0);
    group.ButtonDisable(1);
    EXPECT_EQ(group.rebuilds, before + 2);
    EXPECT_EQ(Look(), "N-");
}

TEST_F(ButtonPictureTest, PaintingDrawsTheCompositeAtTheOffsetOnly)
{
    const Color backdrop(0, 40, 0);
    std::shared_ptr<Picture> owner = SolidPicture(60, 30, backdrop);
    // With every button disabled the group paints exactly its base.
    group.PaintButton(*owner->Graphics());
    for (Int32 y = 0; y < 30; ++y) {
        for (Int32 x = 0; x < 60; ++x) {
            const bool inside = x >= offsetX && x < offsetX + 40 && y >= offsetY && y < offsetY + 20;
            ASSERT_EQ(PixelOf(*owner, x, y), inside ? baseGrey : backdrop) << x << "," << y;
        }
    }
    group.ButtonEnable(0);
    group.PaintButton(*owner->Graphics());
    EXPECT_EQ(PixelOf(*owner, offsetX + 8, offsetY + 10), normalColor[0]);
    EXPECT_EQ(PixelOf(*owner, offsetX + 1, offsetY + 1), baseGrey);
}

TEST_F(ButtonPictureTest, AGroupWithoutButtonsPaintsItsBase)
{
    ButtonPicture empty;
    empty.Constructor(base, 0, 0, 32, false);
    std::shared_ptr<Picture> owner = SolidPicture(40, 20, Color(0, 0, 0));
    empty.PaintButton(*owner->Graphics());
    EXPECT_EQ(PixelOf(*owner, 0, 0), baseGrey);
    EXPECT_EQ(PixelOf(*owner, 39, 19), baseGrey);
    EXPECT_EQ(empty.MouseDown(5, 5), -1);
    EXPECT_EQ(empty.VersionInfo(), "2012-05-23,1");
}

TEST(ButtonPicture, TheCompositeIs8Or16BitsDeepOnlyWhenAskedSoElse32)
{
    for (auto [asked, made] : {std::pair{8, 8}, {16, 16}, {24, 32}, {32, 32}, {1, 32}, {7, 32}}) {
        ProbeButtons group;
        group.Constructor(SolidPicture(4, 4, baseGrey), 0, 0, asked, true);
        EXPECT_EQ(group.CompositeDepth(), made) << asked;
    }
}

TEST_F(ButtonPictureTest, HitTestsGoThroughTheMasksOfEnabledButtons)
{
    // Disabled buttons are never hit.
    EXPECT_EQ(Move(onFirstOnly), -1);
    EXPECT_EQ(Move(onBoth), -1);

    group.ButtonEnable(1);
    EXPECT_EQ(Move(onFirstOnly), -1);
    EXPECT_EQ(Move(onBoth), 1);
    EXPECT_EQ(Move(onSecondOnly), 1);

    group.ButtonEnable(0);
    EXPECT_EQ(Move(onFirstOnly), 0);
    EXPECT_EQ(Move(onBoth), 0); // the lower index wins where masks overlap
    EXPECT_EQ(Move(onSecondOnly), 1);
    EXPECT_EQ(Move(onNoMask), -1);

    group.ButtonDisable(0);
    EXPECT_EQ(Move(onBoth), 1);
}

TEST_F(ButtonPictureTest, TheGroupsRectangleBoundsTheHitTest)
{
    // Masks larger than the group, black right up to their edges.
    ProbeButtons wide;
    wide.Constructor(base, offsetX, offsetY, 32, true);
    std::shared_ptr<Picture> allBlack = SolidPicture(60, 40, Color(0, 0, 0));
    wide.AddButton(nullptr, nullptr, allBlack);
    wide.ButtonEnable(0);
    EXPECT_EQ(wide.MouseMove(offsetX, offsetY), 0);
    EXPECT_EQ(wide.MouseMove(offsetX + 39, offsetY + 19), 0);
    EXPECT_EQ(wide.MouseMove(offsetX + 40, offsetY + 10), -1);
    EXPECT_EQ(wide.MouseMove(offsetX + 10, offsetY + 20), -1);
    EXPECT_EQ(wide.MouseMove(offsetX - 1, offsetY + 10), -1);
    EXPECT_EQ(wide.MouseMove(offsetX + 10, offsetY - 1), -1);

    // A mask smaller than the group leaves the rest of the rectangle outside the button.
    ProbeButtons narrow;
    narrow.Constructor(base, 0, 0, 32, true);
    narrow.AddButton(nullptr, nullptr, SolidPicture(10, 10, Color(0, 0, 0)));
    narrow.ButtonEnable(0);
    EXPECT_EQ(narrow.MouseMove(9, 9), 0);
    EXPECT_EQ(narrow.MouseMove(10, 5), -1);
    EXPECT_EQ(narrow.MouseMove(5, 15), -1);
}

TEST_F(ButtonPictureTest, TheMaskIsReducedToOneBitWhenTheButtonIsAdded)
{
    std::shared_ptr<Picture> mask = SolidPicture(40, 20, Color(255, 255, 255));
    FillArea(*mask, 0, 0, 10, 20, Color(40, 40, 40));
    FillArea(*mask, 10, 0, 10, 20, Color(215, 215, 215));
    ProbeButtons grey;
    grey.Constructor(base, 0, 0, 32, true);
    grey.AddButton(nullptr, nullptr, mask);
    grey.ButtonEnable(0);
    EXPECT_EQ(grey.MouseMove(5, 5), 0);
    EXPECT_EQ(grey.MouseMove(15, 5), -1);

    // Later changes to the mask picture do not reach the button.
    FillArea(*mask, 0, 0, 40, 20, Color(255, 255, 255));
    EXPECT_EQ(grey.MouseMove(5, 5), 0);
}

TEST_F(ButtonPictureTest, AClickIsAPressAndAReleaseOnTheSameButton)
{
    group.ButtonEnable(0);
    group.ButtonEnable(1);

    // idle -> held-over: the button shows pushed.
    EXPECT_EQ(Down(onFirstOnly), 0);
    EXPECT_EQ(Look(), "PN");
    // Moving about on the button changes nothing.
    Int32 rebuilds = group.rebuilds;
    EXPECT_EQ(Move(onBoth), 0);
    EXPECT_EQ(group.rebuilds, rebuilds);
    // held-over -> held-away, onto another button: still the held one, now unpushed.
    EXPECT_EQ(Move(onSecondOnly), 0);
    EXPECT_EQ(Look(), "NN");
    rebuilds = group.rebuilds;
    EXPECT_EQ(Move(onNoMask), 0);
    EXPECT_EQ(group.rebuilds, rebuilds);
    // held-away -> held-over.
    EXPECT_EQ(Move(onFirstOnly), 0);
    EXPECT_EQ(Look(), "PN");
    // held-over -> idle.
    EXPECT_EQ(Up(onFirstOnly), 0);
    EXPECT_EQ(Look(), "NN");
}

TEST_F(ButtonPictureTest, AReleaseAwayFromThePressedButtonIsNoClick)
{
    group.ButtonEnable(0);
    group.ButtonEnable(1);

    Down(onFirstOnly);
    Move(onNoMask);
    EXPECT_EQ(Up(onNoMask), -1);
    EXPECT_EQ(Look(), "NN");

    // Released over another enabled button.
    Down(onFirstOnly);
    EXPECT_EQ(Up(onSecondOnly), -1);
    EXPECT_EQ(Look(), "NN");

    // Held away, then released on the button without a move back: still a click.
    Down(onSecondOnly);
    Move(onNoMask);
    EXPECT_EQ(Up(onSecondOnly), 1);

    // A second release after the click has nothing to report.
    EXPECT_EQ(Up(onSecondOnly), -1);
}

TEST_F(ButtonPictureTest, APressOnNoButtonRebuildsOnceAndItsReleaseNotAtAll)
{
    group.ButtonEnable(0);
    Int32 rebuilds = group.rebuilds;
    EXPECT_EQ(Down(onSecondOnly), -1); // button 1 is disabled
    EXPECT_EQ(group.rebuilds, rebuilds + 1);
    EXPECT_EQ(Look(), "N-");
    EXPECT_EQ(Up(onFirstOnly), -1);
    EXPECT_EQ(group.rebuilds, rebuilds + 1);
}

TEST_F(ButtonPictureTest, EnablingWhileHeldShowsUnpushedUntilThePointerComesBack)
{
    group.ButtonEnable(0);
    Down(onFirstOnly);
    group.ButtonEnable(1);
    EXPECT_EQ(Look(), "NN");
    EXPECT_EQ(Move(onFirstOnly), 0);
    EXPECT_EQ(Look(), "NN"); // the group still takes the pointer for being on the button
    Move(onNoMask);
    Move(onFirstOnly);
    EXPECT_EQ(Look(), "PN");
    EXPECT_EQ(Up(onFirstOnly), 0);
}

TEST_F(ButtonPictureTest, TrackingWithNothingHeldFollowsTheMouseButton)
{
    group.ButtonEnable(0);

    SetMouseDownOverride(false);
    EXPECT_EQ(Move(onFirstOnly), 0);
    // The first look that finds the button down still reports the button under the pointer...
    SetMouseDownOverride(true);
    EXPECT_EQ(Move(onFirstOnly), 0);
    // ...later looks while it stays down do not.
    EXPECT_EQ(Move(onFirstOnly), -1);
    EXPECT_EQ(Move(onBoth), -1);
    SetMouseDownOverride(false);
    EXPECT_EQ(Move(onFirstOnly), 0);

    // A press that began on no button counts as the button already down.
    Down(onNoMask);
    SetMouseDownOverride(true);
    EXPECT_EQ(Move(onFirstOnly), -1);

    // A release counts as the button up: the next look that finds it down reports again.
    Up(onNoMask);
    EXPECT_EQ(Move(onFirstOnly), 0);
    EXPECT_EQ(Move(onFirstOnly), -1);

    // A held button is reported whatever the mouse button says.
    Down(onFirstOnly);
    SetMouseDownOverride(false);
    EXPECT_EQ(Move(onNoMask), 0);
    SetMouseDownOverride(true);
    EXPECT_EQ(Move(onNoMask), 0);
}

TEST_F(ButtonPictureTest, TheUpdatedFlagFollowsRebuildsAndPaints)
{
    EXPECT_TRUE(group.RefUpdated()); // from the set-up's rebuild
    std::shared_ptr<Picture> owner = SolidPicture(60, 30, Color(0, 0, 0));
    group.PaintButton(*owner->Graphics());
    EXPECT_FALSE(group.RefUpdated());

    group.ButtonEnable(0);
    EXPECT_TRUE(group.RefUpdated());
    std::shared_ptr<Picture> composite = group.GetPicture();
    EXPECT_FALSE(group.RefUpdated());
    EXPECT_EQ(composite.get(), &group.Composite()); // the composite itself, not a copy

    // Looks that change nothing leave the flag alone.
    Move(onFirstOnly);
    Up(onFirstOnly);
    EXPECT_FALSE(group.RefUpdated());
    Down(onFirstOnly);
    EXPECT_TRUE(group.RefUpdated());
}

// A subclass's hit test takes the place of the group's own in every look.
class EverywhereSecond : public ButtonPicture {
protected:
    Int32 MouseTest(Int32, Int32) override { return 1; }
};

TEST(ButtonPicture, TheGroupsOwnHitTestsGoThroughTheVirtualSlot)
{
    SetMouseDownOverride(false);
    EverywhereSecond group;
    group.Constructor(SolidPicture(10, 10, baseGrey), 0, 0, 32, true);
    EXPECT_EQ(group.MouseMove(500, 500), 1);
    EXPECT_EQ(group.MouseDown(500, 500), 1);
    EXPECT_EQ(group.MouseUp(-3, -3), 1);
    SetMouseDownOverride(std::nullopt);
}

TEST(ButtonPicture, MissingPicturesAndBadIndicesAreHarmless)
{
    ProbeButtons group;
    group.Constructor(nullptr, 0, 0, 32, true);
    group.AddButton(nullptr, nullptr, nullptr);
    group.ButtonEnable(0);
    EXPECT_EQ(group.MouseDown(0, 0), -1);
    std::shared_ptr<Picture> owner = SolidPicture(4, 4, Color(1, 2, 3));
    group.PaintButton(*owner->Graphics());
    EXPECT_EQ(PixelOf(*owner, 0, 0), Color(1, 2, 3));

    ProbeButtons sound;
    sound.Constructor(SolidPicture(10, 10, baseGrey), 0, 0, 32, true);
    sound.AddButton(nullptr, nullptr, SolidPicture(10, 10, Color(0, 0, 0)));
    const Int32 rebuilds = sound.rebuilds;
    sound.ButtonEnable(1);
    sound.ButtonEnable(-1);
    sound.ButtonDisable(7);
    EXPECT_EQ(sound.rebuilds, rebuilds);
    EXPECT_EQ(sound.MouseMove(5, 5), -1);
}

} // namespace
