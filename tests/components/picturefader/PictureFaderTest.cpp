#include "components/picturefader/PictureFader.h"

#include "framework/Graphics.h"
#include "framework/RGBSurface.h"
#include "tests/components/ChildProcess.h"
#include "tests/components/TestPictures.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <sys/resource.h>

#include <fstream>
#include <string>

namespace {

// A 20 by 10 picture: columns 0..9 pure white, 10..14 almost white, 15..19 a colour.
const Color white(255, 255, 255);
const Color almostWhite(254, 255, 255);
const Color colour(200, 100, 50);
const Color black(0, 0, 0);
constexpr Int32 atX = 3;
constexpr Int32 atY = 2;
constexpr Int32 whiteColumn = 5;
constexpr Int32 almostWhiteColumn = 12;
constexpr Int32 colourColumn = 17;
constexpr int tolerance = 3;

std::shared_ptr<Picture> Sample()
{
    std::shared_ptr<Picture> pic = SolidPicture(20, 10, white);
    FillArea(*pic, 10, 0, 5, 10, almostWhite);
    FillArea(*pic, 15, 0, 5, 10, colour);
    return pic;
}

// Opens the fader's state to the tests.
class ProbeFader : public PictureFader {
public:
    Int32 Status() const { return ItsStatus; }
    double FadeRate() const { return ItsFadeRate; }
    double FadeValue() const { return ItsFadeValue; }
    Picture& Copy() { return *ItsPicture; }
};

// One drawing at (atX, atY) onto black; what each of the sample's columns shows afterwards.
struct Drawn {
    std::shared_ptr<Picture> onto = SolidPicture(30, 20, black);
    Color At(Int32 column, Int32 row = 5) const { return PixelOf(*onto, atX + column, atY + row); }
    bool Untouched() const
    {
        for (Int32 y = 0; y < 20; ++y) {
            for (Int32 x = 0; x < 30; ++x) {
                if (PixelOf(*onto, x, y) != black) {
                    return false;
                }
            }
        }
        return true;
    }
};

Drawn DrawOnce(PictureFader& fader)
{
    Drawn drawn;
    fader.DrawPicture(*drawn.onto->Graphics(), atX, atY);
    return drawn;
}

// What a pixel of the given colour looks like over black at an opacity.
Color Faded(Color c, double opacity)
{
    return Blend(c, black, opacity);
}

TEST(PictureFader, AHiddenFaderDrawsNothingUntilGivenAPositiveRate)
{
    ProbeFader fader;
    fader.Constructor(Sample(), 0.0, 0, nullptr);
    EXPECT_FALSE(fader.IsVisible());
    EXPECT_TRUE(DrawOnce(fader).Untouched());

    fader.SetFadeRate(0.0);
    fader.SetFadeRate(-0.5);
    EXPECT_EQ(fader.Status(), 0);
    EXPECT_EQ(fader.FadeRate(), 0.0);
    EXPECT_TRUE(DrawOnce(fader).Untouched());

    // From hidden, a rate of 1.0 makes the next drawing opaque at once.
    fader.SetFadeRate(1.0);
    EXPECT_TRUE(fader.IsVisible());
    EXPECT_FALSE(fader.IsOpaque());
    Drawn drawn = DrawOnce(fader);
    EXPECT_TRUE(fader.IsOpaque());
    EXPECT_EQ(fader.FadeValue(), 1.0);
    EXPECT_EQ(drawn.At(colourColumn), colour);
    EXPECT_EQ(drawn.At(whiteColumn), white);
    EXPECT_EQ(PixelOf(*drawn.onto, atX - 1, atY), black);
    EXPECT_EQ(PixelOf(*drawn.onto, atX + 20, atY + 10), black);

    // A positive rate on an opaque fader changes nothing, not even the stored rate.
    fader.SetFadeRate(0.5);
    EXPECT_EQ(fader.Status(), 2);
    EXPECT_EQ(fader.FadeRate(), 1.0);
    EXPECT_EQ(DrawOnce(fader).At(colourColumn), colour);
    EXPECT_EQ(fader.VersionInfo(), "2012-06-17,1");
}

TEST(PictureFader, FadingOutTakesFourDrawingsAtMinus026)
{
    ProbeFader fader;
    fader.Constructor(Sample(), 1.0, 0, nullptr);
    EXPECT_TRUE(fader.IsOpaque());
    EXPECT_EQ(DrawOnce(fader).At(colourColumn), colour);

    fader.SetFadeRate(-0.26);
    for (double opacity : {0.74, 0.48, 0.22}) {
        Drawn drawn = DrawOnce(fader);
        EXPECT_TRUE(fader.IsVisible());
        EXPECT_FALSE(fader.IsOpaque());
        EXPECT_NEAR(fader.FadeValue(), opacity, 1e-9);
        EXPECT_TRUE(Near(drawn.At(colourColumn), Faded(colour, opacity), tolerance))
            << opacity << ": " << drawn.At(colourColumn);
        EXPECT_TRUE(Near(drawn.At(whiteColumn), Faded(white, opacity), tolerance))
            << opacity << ": " << drawn.At(whiteColumn);
    }
    // The fourth goes below 0.0: hidden, drawn fully transparent; after that nothing is drawn.
    EXPECT_TRUE(DrawOnce(fader).Untouched());
    EXPECT_FALSE(fader.IsVisible());
    EXPECT_FALSE(fader.IsOpaque());
    EXPECT_EQ(fader.FadeValue(), 0.0);
    EXPECT_TRUE(DrawOnce(fader).Untouched());

    // A negative rate on a hidden fader changes nothing.
    fader.SetFadeRate(-1.0);
    EXPECT_EQ(fader.FadeRate(), -0.26);
    EXPECT_EQ(fader.Status(), 0);
}

TEST(PictureFader, ARateOfZeroHoldsAFadeAtItsOpacity)
{
    ProbeFader fader;
    fader.Constructor(Sample(), 1.0, 0, nullptr);
    fader.SetFadeRate(-0.26);
    DrawOnce(fader);
    fader.SetFadeRate(0.0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Near(DrawOnce(fader).At(colourColumn), Faded(colour, 0.74), tolerance));
        EXPECT_EQ(fader.Status(), 1);
    }
    // Not drawn, nothing moves.
    fader.SetFadeRate(0.2);
    EXPECT_NEAR(fader.FadeValue(), 0.74, 1e-9);
    DrawOnce(fader);
    EXPECT_NEAR(fader.FadeValue(), 0.94, 1e-9);
    DrawOnce(fader);
    EXPECT_TRUE(fader.IsOpaque());
    EXPECT_EQ(fader.FadeValue(), 1.0);
}

TEST(PictureFader, AnOpacityBetweenStartsFadingThere)
{
    ProbeFader fader;
    fader.Constructor(Sample(), 0.5, 0, nullptr);
    EXPECT_TRUE(fader.IsVisible());
    EXPECT_FALSE(fader.IsOpaque());
    EXPECT_TRUE(Near(DrawOnce(fader).At(colourColumn), Faded(colour, 0.5), tolerance));
}

TEST(PictureFader, TheShapeOfPureWhiteStaysTransparentAtEveryOpacity)
{
    ProbeFader fader;
    fader.Constructor(Sample(), 0.0, 1, nullptr);
    fader.SetFadeRate(1.0);
    Drawn full = DrawOnce(fader);
    EXPECT_EQ(full.At(whiteColumn), black);
    EXPECT_EQ(full.At(almostWhiteColumn), almostWhite);
    EXPECT_EQ(full.At(colourColumn), colour);

    fader.SetFadeRate(-0.26);
    for (double opacity : {0.74, 0.48, 0.22}) {
        Drawn drawn = DrawOnce(fader);
        EXPECT_EQ(drawn.At(whiteColumn), black) << opacity;
        EXPECT_TRUE(Near(drawn.At(almostWhiteColumn), Faded(almostWhite, opacity), tolerance))
            << opacity << ": " << drawn.At(almostWhiteColumn);
        EXPECT_TRUE(Near(drawn.At(colourColumn), Faded(colour, opacity), tolerance))
            << opacity << ": " << drawn.At(colourColumn);
    }
    EXPECT_TRUE(DrawOnce(fader).Untouched());
}

TEST(PictureFader, AnOpaqueMadeFaderTakesItsShapeAtTheFirstFadingDrawing)
{
    PictureFader fader;
    fader.Constructor(Sample(), 1.0, 1, nullptr);
    EXPECT_EQ(DrawOnce(fader).At(whiteColumn), white);
    fader.SetFadeRate(-0.26);
    EXPECT_EQ(DrawOnce(fader).At(whiteColumn), black);
}

TEST(PictureFader, TheShapeIsWorkedOutOnceFromTheCopy)
{
    std::shared_ptr<Picture> pic = Sample();
    ProbeFader fader;
    fader.Constructor(pic, 0.0, 1, nullptr);
    // The fader draws its own copy: later changes to the picture it was given do not show.
    FillArea(*pic, 0, 0, 20, 10, Color(0, 0, 255));
    // Nor does a change to the copy move the shape: a colour pixel made white stays inside it.
    fader.Copy().RGBSurface()->SetPixel(colourColumn, 5, white);
    fader.SetFadeRate(1.0);
    Drawn drawn = DrawOnce(fader);
    EXPECT_EQ(drawn.At(colourColumn, 5), white);
    EXPECT_EQ(drawn.At(colourColumn, 4), colour);
    EXPECT_EQ(drawn.At(whiteColumn), black);
}

TEST(PictureFader, AGivenShapeLimitsTheFade)
{
    // Mode 2 without a shape picture: the shape is the whole picture, as with no shape.
    PictureFader whole;
    whole.Constructor(Sample(), 1.0, 2, nullptr);
    whole.SetFadeRate(-0.26);
    Drawn drawn = DrawOnce(whole);
    EXPECT_TRUE(Near(drawn.At(whiteColumn), Faded(white, 0.74), tolerance)) << drawn.At(whiteColumn);
    EXPECT_TRUE(Near(drawn.At(colourColumn), Faded(colour, 0.74), tolerance));

    // Mode 2 with a shape picture: only its black part shows.
    std::shared_ptr<Picture> shape = SolidPicture(20, 10, white);
    FillArea(*shape, 0, 0, 8, 10, black);
    PictureFader limited;
    limited.Constructor(Sample(), 1.0, 2, shape);
    limited.SetFadeRate(-0.26);
    drawn = DrawOnce(limited);
    EXPECT_TRUE(Near(drawn.At(whiteColumn), Faded(white, 0.74), tolerance)) << drawn.At(whiteColumn);
    EXPECT_EQ(drawn.At(almostWhiteColumn), black);
    EXPECT_EQ(drawn.At(colourColumn), black);
}

TEST(PictureFader, AFaderWithoutAPictureDrawsNothing)
{
    ProbeFader fader;
    fader.Constructor(nullptr, 0.0, 1, nullptr);
    fader.SetFadeRate(1.0);
    EXPECT_TRUE(DrawOnce(fader).Untouched());
    EXPECT_TRUE(fader.IsOpaque());
}

// The process's address space in bytes, from /proc.
rlim_t AddressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmSize:", 0) == 0) {
            return std::stoull(line.substr(7)) * 1024;
        }
    }
    return 0;
}

TEST(PictureFader, APictureWithoutMemoryForItsMaskIsNotShownAndNothingBreaks)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer ends the process on a failed allocation";
#endif
    // Room for the fader's copy of a 4 MiB picture, not for its mask as well.
    const std::string failure = RunInChild([] {
        constexpr Int32 side = 1024;
        constexpr rlim_t pictureBytes = rlim_t(side) * side * 4;
        // Each picture gets a mapping of its own, and gives it back when freed, so that the limit
        // counts exactly the pictures alive.
        mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
        const std::shared_ptr<Picture> big = SolidPicture(side, side, colour);
        const rlim_t limit = AddressSpaceInUse() + pictureBytes + pictureBytes / 2;
        const struct rlimit space = {limit, limit};
        if (setrlimit(RLIMIT_AS, &space) != 0) {
            return std::string("no limit");
        }
        if (!Picture::New(side, side, 32)) {
            return std::string("no room for the copy");
        }
        for (const Int32 maskMode : {0, 1}) {
            ProbeFader fader;
            fader.Constructor(big, 1.0, maskMode, nullptr);
            fader.SetFadeRate(-0.5);
            if (!DrawOnce(fader).Untouched()) {
                return std::string("a picture without a mask was drawn");
            }
        }
        return std::string();
    });
    EXPECT_EQ(failure, "");
}

} // namespace
