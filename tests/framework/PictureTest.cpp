#include "framework/Picture.h"
#include "framework/Graphics.h"
#include "framework/RGBSurface.h"
#include "framework/qt/DrawTarget.h"
#include "framework/qt/PictureBridge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

const Color White(255, 255, 255);
const Color Black(0, 0, 0);
const Color Red(255, 0, 0);
const Color Blue(0, 0, 255);

std::shared_ptr<Picture> Filled(Int32 width, Int32 height, Color color, Int32 depth = 32)
{
    auto picture = Picture::New(width, height, depth);
    picture->Graphics()->ForeColor = color;
    picture->Graphics()->FillRect(0, 0, width, height);
    return picture;
}

int Distance(Color a, Color b)
{
    return std::max({std::abs(a.Red - b.Red), std::abs(a.Green - b.Green), std::abs(a.Blue - b.Blue)});
}

std::set<std::uint32_t> Colours(Picture& picture)
{
    std::set<std::uint32_t> colours;
    for (Int32 y = 0; y < picture.Height(); ++y) {
        for (Int32 x = 0; x < picture.Width(); ++x) {
            colours.insert(picture.RGBSurface()->Pixel(x, y).RGBValue());
        }
    }
    return colours;
}

} // namespace

TEST(Picture, NewGivesAWhitePictureOrNothing)
{
    auto picture = Picture::New(3, 2, 32);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(picture->Height(), 2);
    EXPECT_EQ(picture->Depth(), 32);
    EXPECT_EQ(picture->Graphics()->Pixel(2, 1), White);
    EXPECT_EQ(picture->Graphics(), picture->Graphics());
    EXPECT_EQ(picture->RGBSurface(), picture->RGBSurface());
    EXPECT_EQ(picture->Transparent(), 0);
    for (Int32 depth : {1, 8, 16, 24}) {
        EXPECT_TRUE(Picture::New(4, 4, depth)) << depth;
    }
    EXPECT_FALSE(Picture::New(0, 10, 32));
    EXPECT_FALSE(Picture::New(10, -1, 32));
    EXPECT_FALSE(Picture::New(10, 10, 7));
    EXPECT_FALSE(Picture::New(100000, 100000, 32));
    EXPECT_FALSE(Picture::New(2000000000, 1, 32));
}

TEST(Picture, PixelsOutsideAreBlackAndNotSet)
{
    auto picture = Picture::New(2, 2, 32);
    picture->RGBSurface()->SetPixel(5, 0, Red);
    picture->RGBSurface()->SetPixel(-1, 0, Red);
    EXPECT_EQ(Colours(*picture), std::set<std::uint32_t>{0xFFFFFF});
    EXPECT_EQ(picture->RGBSurface()->Pixel(2, 0), Black);
    picture->RGBSurface()->SetPixel(1, 1, Red);
    EXPECT_EQ(picture->Graphics()->Pixel(1, 1), Red);
}

TEST(Picture, OneBitCopyThresholdsBrightnessAtHalf)
{
    // A grey ramp mask, as picture buttons reduce their hit masks.
    auto mask = Picture::New(6, 1, 32);
    const int greys[] = {0, 100, 127, 128, 200, 255};
    for (int x = 0; x < 6; ++x) {
        mask->RGBSurface()->SetPixel(x, 0, Color(greys[x], greys[x], greys[x]));
    }
    auto bits = Picture::New(6, 1, 1);
    bits->Graphics()->UseOldRenderer = true;
    bits->Graphics()->DrawPicture(mask, 0, 0);
    const Color expected[] = {Black, Black, Black, White, White, White};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(bits->Graphics()->Pixel(x, 0), expected[x]) << x;
    }
    // An antialiased oval leaves only black and white in a 1-bit picture.
    auto oval = Picture::New(40, 40, 32);
    oval->Graphics()->FillOval(3, 3, 33, 31);
    auto reduced = Picture::New(40, 40, 1);
    reduced->Graphics()->DrawPicture(oval, 0, 0);
    EXPECT_GT(Colours(*oval).size(), 2u);
    EXPECT_EQ(Colours(*reduced), (std::set<std::uint32_t>{0x000000, 0xFFFFFF}));
}

TEST(Picture, LowDepthsKeepFewerColours)
{
    auto eight = Filled(1, 1, Color(100, 30, 240), 8);
    EXPECT_EQ(eight->Graphics()->Pixel(0, 0), Color(102, 51, 255));
    auto sixteen = Filled(1, 1, Color(100, 30, 240), 16);
    EXPECT_LE(Distance(sixteen->Graphics()->Pixel(0, 0), Color(100, 30, 240)), 4);
    EXPECT_EQ(Filled(1, 1, White, 16)->Graphics()->Pixel(0, 0), White);
}

TEST(Picture, MaskIsMadeOpaqueOnRequest)
{
    auto picture = Picture::New(4, 3, 32);
    EXPECT_FALSE(picture->Mask(false));
    auto mask = picture->Mask(true);
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->Width(), 4);
    EXPECT_EQ(mask->Height(), 3);
    EXPECT_EQ(Colours(*mask), std::set<std::uint32_t>{0x000000});
    EXPECT_EQ(picture->Mask(false), mask);
    EXPECT_EQ(picture->Mask(), mask);
}

TEST(Graphics, DrawingThroughAGreyMaskBlends)
{
    auto red = Filled(3, 1, Red);
    auto mask = red->Mask();
    mask->RGBSurface()->SetPixel(0, 0, Black);
    mask->RGBSurface()->SetPixel(1, 0, Color(128, 128, 128));
    mask->RGBSurface()->SetPixel(2, 0, White);
    auto target = Picture::New(3, 1, 32);
    target->Graphics()->DrawPicture(red, 0, 0);
    EXPECT_EQ(target->Graphics()->Pixel(0, 0), Red);
    EXPECT_LE(Distance(target->Graphics()->Pixel(1, 0), Color(255, 128, 128)), 2);
    EXPECT_EQ(target->Graphics()->Pixel(2, 0), White);
}

TEST(Graphics, MaskOpacityFollowsBrightness)
{
    // Black through a coloured mask onto white shows the mask's brightness: green weighs most,
    // blue least.
    auto black = Filled(4, 1, Black);
    auto mask = black->Mask();
    mask->RGBSurface()->SetPixel(0, 0, Red);
    mask->RGBSurface()->SetPixel(1, 0, Color(0, 255, 0));
    mask->RGBSurface()->SetPixel(2, 0, Blue);
    mask->RGBSurface()->SetPixel(3, 0, Color(64, 64, 64));
    auto target = Picture::New(4, 1, 32);
    target->Graphics()->DrawPicture(black, 0, 0);
    const Color expected[] = {Color(87, 87, 87), Color(127, 127, 127), Color(39, 39, 39), Color(64, 64, 64)};
    for (int x = 0; x < 4; ++x) {
        EXPECT_LE(Distance(target->Graphics()->Pixel(x, 0), expected[x]), 1) << x;
    }
}

TEST(Graphics, EveryNewMaskIsUsedByTheNextDraw)
{
    // As a fade does: the mask is rewritten between draws, while an earlier drawable form is
    // still held elsewhere.
    auto red = Filled(3, 2, Red);
    auto maskGraphics = red->Mask()->Graphics();
    const QImage held = PictureBridge::DrawableImage(*red).copy();
    const QImage shared = PictureBridge::DrawableImage(*red);
    for (int grey : {0, 64, 192, 255, 128}) {
        maskGraphics->ForeColor = Color(grey, grey, grey);
        maskGraphics->FillRect(0, 0, 3, 2);
        auto target = Filled(3, 2, Blue);
        target->Graphics()->DrawPicture(red, 0, 0);
        const Color blend(255 - grey, 0, grey);
        EXPECT_LE(Distance(target->Graphics()->Pixel(2, 1), blend), 1) << grey;
    }
    EXPECT_EQ(shared, held);
}

TEST(Graphics, MaskAndTransparentWhiteTogether)
{
    // White is left out even where the mask is black; other pixels are blended by the mask.
    auto picture = Picture::New(3, 3, 32);
    picture->RGBSurface()->SetPixel(1, 1, Red);
    picture->RGBSurface()->SetPixel(2, 2, Red);
    picture->SetTransparent(1);
    picture->Mask()->RGBSurface()->SetPixel(2, 2, Color(128, 128, 128));
    auto target = Filled(4, 4, Blue);
    target->Graphics()->DrawPicture(picture, 1, 1);
    EXPECT_EQ(target->Graphics()->Pixel(1, 1), Blue);
    EXPECT_EQ(target->Graphics()->Pixel(2, 2), Red);
    EXPECT_LE(Distance(target->Graphics()->Pixel(3, 3), Color(127, 0, 128)), 1);

    // Clipped on every side, the same pixels land where they should.
    auto small = Filled(1, 1, Blue);
    small->Graphics()->DrawPicture(picture, -1, -1);
    EXPECT_EQ(small->Graphics()->Pixel(0, 0), Red);
    auto white = Filled(1, 1, White);
    white->Graphics()->DrawPicture(picture, -2, -2);
    EXPECT_LE(Distance(white->Graphics()->Pixel(0, 0), Color(255, 127, 127)), 1);
}

TEST(Graphics, MaskedDrawsIntoLowDepthsAndScaled)
{
    auto red = Filled(2, 1, Red);
    red->Mask()->RGBSurface()->SetPixel(1, 0, Color(128, 128, 128));
    // The blend is reduced to the target's colours: (255, 128, 128) in the 8-bit cube.
    auto eight = Picture::New(2, 1, 8);
    eight->Graphics()->DrawPicture(red, 0, 0);
    EXPECT_EQ(eight->Graphics()->Pixel(0, 0), Red);
    EXPECT_EQ(eight->Graphics()->Pixel(1, 0), Color(255, 153, 153));
    // A low-depth picture with a mask draws through it.
    auto source = Filled(2, 1, Color(100, 30, 240), 16);
    source->Mask()->RGBSurface()->SetPixel(0, 0, White);
    auto target = Filled(2, 1, Black);
    target->Graphics()->DrawPicture(source, 0, 0);
    EXPECT_EQ(target->Graphics()->Pixel(0, 0), Black);
    EXPECT_LE(Distance(target->Graphics()->Pixel(1, 0), Color(100, 30, 240)), 4);
    // Scaled, the transparent half stays transparent.
    auto wide = Filled(4, 2, Blue);
    wide->Graphics()->UseOldRenderer = true;
    red->Mask()->RGBSurface()->SetPixel(1, 0, White);
    wide->Graphics()->DrawPicture(red, 0, 0, 4, 2);
    EXPECT_EQ(wide->Graphics()->Pixel(1, 1), Red);
    EXPECT_EQ(wide->Graphics()->Pixel(2, 0), Blue);
    EXPECT_EQ(wide->Graphics()->Pixel(3, 1), Blue);
}

TEST(Graphics, TransparentLeavesWhiteUndrawn)
{
    auto picture = Picture::New(2, 1, 32);
    picture->RGBSurface()->SetPixel(1, 0, Red);
    picture->SetTransparent(1);
    auto target = Filled(2, 1, Blue);
    target->Graphics()->DrawPicture(picture, 0, 0);
    EXPECT_EQ(target->Graphics()->Pixel(0, 0), Blue);
    EXPECT_EQ(target->Graphics()->Pixel(1, 0), Red);

    // Clipped at the left: the drawn run starts inside the source.
    auto shifted = Filled(2, 1, Blue);
    shifted->Graphics()->DrawPicture(picture, -1, 0);
    EXPECT_EQ(shifted->Graphics()->Pixel(0, 0), Red);
    EXPECT_EQ(shifted->Graphics()->Pixel(1, 0), Blue);

    // A cut from a strip, clipped at the left.
    auto strip = Picture::New(4, 1, 32);
    strip->RGBSurface()->SetPixel(1, 0, Red);
    strip->RGBSurface()->SetPixel(3, 0, Black);
    strip->SetTransparent(1);
    auto cut = Filled(3, 1, Blue);
    cut->Graphics()->DrawPicture(strip, -1, 0, 3, 1, 1, 0, 3, 1);
    EXPECT_EQ(cut->Graphics()->Pixel(0, 0), Blue);
    EXPECT_EQ(cut->Graphics()->Pixel(1, 0), Black);
    EXPECT_EQ(cut->Graphics()->Pixel(2, 0), Blue);

    picture->SetTransparent(0);
    target->Graphics()->DrawPicture(picture, 0, 0);
    EXPECT_EQ(target->Graphics()->Pixel(0, 0), White);
}

TEST(Graphics, ChangesAfterADrawAreSeenByTheNextDraw)
{
    // The drawable form is cached; every change of pixels or mask must renew it.
    auto picture = Picture::New(2, 1, 32);
    picture->SetTransparent(1);
    auto target = Filled(2, 1, Blue);
    target->Graphics()->DrawPicture(picture, 0, 0);
    EXPECT_EQ(target->Graphics()->Pixel(0, 0), Blue);

    picture->Graphics()->ForeColor = Red;
    picture->Graphics()->FillRect(0, 0, 1, 1);
    target->Graphics()->DrawPicture(picture, 0, 0);
    EXPECT_EQ(target->Graphics()->Pixel(0, 0), Red);

    auto mask = picture->Mask();
    mask->Graphics()->ForeColor = White;
    mask->Graphics()->FillRect(0, 0, 2, 1);
    auto fresh = Filled(2, 1, Blue);
    fresh->Graphics()->DrawPicture(picture, 0, 0);
    EXPECT_EQ(Colours(*fresh), std::set<std::uint32_t>{0x0000FF});
}

// Frames drawn anew over the last one: a background copied over the whole picture, then a
// piece on it.
class RepeatedFrame : public testing::Test {
protected:
    void DrawFrame(Int32 pieceX)
    {
        g.DrawPicture(background, 0, 0);
        g.DrawPicture(piece, pieceX, 3);
    }

    std::shared_ptr<Picture> target = Picture::New(20, 10, 32);
    Graphics& g = *target->Graphics();
    std::shared_ptr<Picture> background = Filled(20, 10, Blue);
    std::shared_ptr<Picture> piece = Filled(4, 4, Red);
};

TEST_F(RepeatedFrame, ThePictureKeepsItsVersionOnlyWhileFramesComeOutTheSame)
{
    DrawFrame(2);
    const std::uint64_t version = target->Version();
    DrawFrame(2);
    EXPECT_EQ(target->Version(), version);
    EXPECT_EQ(g.Pixel(3, 4), Red);
    EXPECT_EQ(g.Pixel(10, 4), Blue);

    DrawFrame(10);
    const std::uint64_t moved = target->Version();
    EXPECT_NE(moved, version);
    EXPECT_EQ(g.Pixel(3, 4), Blue);
    EXPECT_EQ(g.Pixel(11, 4), Red);

    // The same draws of a piece that changed in between.
    piece->Graphics()->ForeColor = Black;
    piece->Graphics()->FillRect(0, 0, 4, 4);
    DrawFrame(10);
    EXPECT_NE(target->Version(), moved);
    EXPECT_EQ(g.Pixel(11, 4), Black);
}

TEST_F(RepeatedFrame, AFrameReadHalfWayShowsWhatWasDrawnSoFar)
{
    DrawFrame(2);
    g.DrawPicture(background, 0, 0);
    auto copy = Picture::New(20, 10, 32);
    copy->Graphics()->DrawPicture(target, 0, 0);
    EXPECT_EQ(copy->Graphics()->Pixel(3, 4), Blue) << "drawn elsewhere before the piece";
    g.DrawPicture(piece, 2, 3);
    EXPECT_EQ(g.Pixel(3, 4), Red);
    EXPECT_EQ(g.Pixel(10, 4), Blue);
}

TEST_F(RepeatedFrame, ASourceChangedAfterItsDrawCountsAsItWasWhenDrawn)
{
    DrawFrame(2);
    g.DrawPicture(background, 0, 0);
    background->Graphics()->ForeColor = Black;
    background->Graphics()->FillRect(0, 0, 20, 10);
    g.DrawPicture(piece, 12, 3);
    EXPECT_EQ(g.Pixel(0, 0), Blue);
    EXPECT_EQ(g.Pixel(3, 4), Blue);
    EXPECT_EQ(g.Pixel(13, 4), Red);
}

TEST_F(RepeatedFrame, OtherDrawingComesAfterTheFrameSoFar)
{
    DrawFrame(2);
    g.DrawPicture(background, 0, 0);
    g.ForeColor = Black;
    g.FillRect(15, 0, 2, 2);
    EXPECT_EQ(g.Pixel(3, 4), Blue) << "the background came before the fill";
    EXPECT_EQ(g.Pixel(15, 0), Black);

    DrawFrame(2);
    DrawFrame(2);
    target->RGBSurface()->SetPixel(0, 0, Black);
    EXPECT_EQ(g.Pixel(0, 0), Black);
    EXPECT_EQ(g.Pixel(3, 4), Red);
    EXPECT_EQ(g.Pixel(15, 0), Blue);
}

TEST(Graphics, OwnSizesAndSourceRectangles)
{
    auto square = Filled(2, 2, Red);
    auto target = Picture::New(6, 6, 32);
    target->Graphics()->DrawPicture(square, 1, 2);
    EXPECT_EQ(target->Graphics()->Pixel(1, 2), Red);
    EXPECT_EQ(target->Graphics()->Pixel(2, 3), Red);
    EXPECT_EQ(target->Graphics()->Pixel(3, 3), White);
    EXPECT_EQ(target->Graphics()->Pixel(2, 4), White);
    target->Graphics()->DrawPicture(square, 4, 4, OwnSize, OwnSize, 0, 0, OwnSize, OwnSize);
    EXPECT_EQ(target->Graphics()->Pixel(5, 5), Red);

    // One pixel of a strip, picked by the source rectangle.
    auto strip = Picture::New(3, 1, 32);
    strip->RGBSurface()->SetPixel(1, 0, Blue);
    auto cell = Picture::New(1, 1, 32);
    cell->Graphics()->DrawPicture(strip, 0, 0, 1, 1, 1, 0, 1, 1);
    EXPECT_EQ(cell->Graphics()->Pixel(0, 0), Blue);
}

TEST(Graphics, ScaledDrawStretchesTheSource)
{
    auto quad = Picture::New(2, 2, 32);
    quad->RGBSurface()->SetPixel(0, 0, Red);
    quad->RGBSurface()->SetPixel(1, 1, Blue);
    auto target = Picture::New(4, 4, 32);
    target->Graphics()->UseOldRenderer = true;
    target->Graphics()->DrawPicture(quad, 0, 0, 4, 4);
    EXPECT_EQ(target->Graphics()->Pixel(0, 0), Red);
    EXPECT_EQ(target->Graphics()->Pixel(1, 1), Red);
    EXPECT_EQ(target->Graphics()->Pixel(2, 1), White);
    EXPECT_EQ(target->Graphics()->Pixel(3, 3), Blue);
    // A source pixel blown up over the whole target.
    target->Graphics()->DrawPicture(quad, 0, 0, 4, 4, 1, 1, 1, 1);
    EXPECT_EQ(Colours(*target), std::set<std::uint32_t>{0x0000FF});
}

TEST(Graphics, ClipsAndIgnoresWhatCannotBeDrawn)
{
    auto target = Picture::New(3, 3, 32);
    target->Graphics()->DrawPicture(nullptr, 0, 0);
    target->Graphics()->DrawPicture(Filled(2, 2, Red), 0, 0, 0, 5);
    target->Graphics()->DrawPicture(Filled(2, 2, Red), 0, 0, 2, 2, 0, 0, -3, 2);
    target->Graphics()->FillRect(1, 1, 0, 2);
    target->Graphics()->FillOval(1, 1, -2, 2);
    EXPECT_EQ(Colours(*target), std::set<std::uint32_t>{0xFFFFFF});

    target->Graphics()->DrawPicture(Filled(4, 4, Red), -2, -2);
    target->Graphics()->ForeColor = Blue;
    target->Graphics()->FillRect(2, 2, 100, 100);
    EXPECT_EQ(target->Graphics()->Pixel(1, 1), Red);
    EXPECT_EQ(target->Graphics()->Pixel(2, 1), White);
    EXPECT_EQ(target->Graphics()->Pixel(2, 2), Blue);
}

TEST(Graphics, PictureDrawnIntoItselfReadsItsOldPixels)
{
    auto picture = Picture::New(3, 1, 32);
    picture->RGBSurface()->SetPixel(0, 0, Red);
    picture->Graphics()->DrawPicture(picture, 1, 0);
    EXPECT_EQ(picture->Graphics()->Pixel(1, 0), Red);
    EXPECT_EQ(picture->Graphics()->Pixel(2, 0), White);
}

TEST(Graphics, OldRendererDrawsWithoutAntialiasing)
{
    auto smooth = Picture::New(30, 30, 32);
    smooth->Graphics()->ForeColor = Black;
    smooth->Graphics()->FillOval(2, 2, 25, 25);
    auto hard = Picture::New(30, 30, 32);
    hard->Graphics()->UseOldRenderer = true;
    hard->Graphics()->ForeColor = Black;
    hard->Graphics()->FillOval(2, 2, 25, 25);
    EXPECT_GT(Colours(*smooth).size(), 2u);
    EXPECT_EQ(Colours(*hard), (std::set<std::uint32_t>{0x000000, 0xFFFFFF}));
    EXPECT_EQ(hard->Graphics()->Pixel(14, 14), Black);
    EXPECT_EQ(hard->Graphics()->Pixel(2, 2), White);
}

TEST(Graphics, DrawsThroughAPainterOnTheScreen)
{
    QImage screen(4, 2, QImage::Format_RGB32);
    screen.fill(Qt::blue);
    auto overlay = Picture::New(2, 1, 32);
    overlay->RGBSurface()->SetPixel(1, 0, Red);
    overlay->SetTransparent(1);
    {
        QPainter painter(&screen);
        Graphics g(DrawTarget::OnPainter(painter, screen.size()));
        EXPECT_EQ(g.Width(), 4);
        g.ForeColor = Black;
        g.FillRect(0, 1, 4, 1);
        g.DrawPicture(overlay, 2, 0);
        g.DrawPicture(nullptr, 0, 0);
    }
    EXPECT_EQ(screen.pixel(2, 0), qRgb(0, 0, 255));
    EXPECT_EQ(screen.pixel(3, 0), qRgb(255, 0, 0));
    EXPECT_EQ(screen.pixel(0, 1), qRgb(0, 0, 0));
}

TEST(PictureBridge, ImagesBecomeOpaquePictures)
{
    EXPECT_FALSE(PictureBridge::FromImage(QImage()));
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(0, 0, 255, 255));
    auto picture = PictureBridge::FromImage(image);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Depth(), 32);
    EXPECT_EQ(picture->Graphics()->Pixel(0, 0), White);
    EXPECT_EQ(picture->Graphics()->Pixel(1, 0), Blue);
    EXPECT_EQ(PictureBridge::Image(*picture).pixel(1, 0), qRgb(0, 0, 255));
}
