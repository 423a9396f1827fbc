// The off-screen canvas on a real window: when its hooks run, the picture it makes, and how
// it paints the picture, at its own size or scaled, or white without one.

#include "components/offscreencanvas/OffscreenCanvas.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "framework/Window.h"
#include "framework/qt/LayerAccess.h"
#include "tests/components/TestPictures.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr Color Red(255, 0, 0);
constexpr Color Green(0, 160, 0);
constexpr Color Black(0, 0, 0);
constexpr Color White(255, 255, 255);

// Records its hooks and paints its picture red on the left half, green on the right.
class ProbeCanvas : public OffscreenCanvas {
public:
    std::vector<String> log;

    void Initialize() override { log.push_back("Initialize"); }
    void OffscreenCreated() override { log.push_back("OffscreenCreated"); }
    void OffscreenDisposed() override { log.push_back("OffscreenDisposed"); }
    // Drawn instead of the two halves when set: a picture over the whole control, and a small
    // one at (piece x, 10).
    std::shared_ptr<Picture> background;
    std::shared_ptr<Picture> piece;
    Int32 pieceX = 0;
    Int32 paints = 0;

    void PaintOffscreen() override
    {
        log.push_back("PaintOffscreen");
        if (background) {
            OffscreenGraphics->DrawPicture(background, 0, 0);
            OffscreenGraphics->DrawPicture(piece, pieceX, 10);
            return;
        }
        OffscreenGraphics->ForeColor = Red;
        OffscreenGraphics->FillRect(0, 0, ItsWidth / 2, ItsHeight);
        OffscreenGraphics->ForeColor = Green;
        OffscreenGraphics->FillRect(ItsWidth / 2, 0, ItsWidth - ItsWidth / 2, ItsHeight);
    }
    void Refresh(bool eraseBackground) override
    {
        log.push_back(eraseBackground ? "Refresh(true)" : "Refresh(false)");
        OffscreenCanvas::Refresh(eraseBackground);
    }

    void SetFixedSize(Int32 width, Int32 height)
    {
        ItsFixedWidth = width;
        ItsFixedHeight = height;
    }
    Int32 Depth() const { return ItsDepth; }
    Int32 PictureWidth() const { return ItsWidth; }
    Int32 PictureHeight() const { return ItsHeight; }
    const std::shared_ptr<Picture>& OwnPicture() const { return OffscreenPicture; }
    const std::shared_ptr<Graphics>& OwnGraphics() const { return OffscreenGraphics; }
    void PaintCanvas(Graphics& g) override
    {
        ++paints;
        OffscreenCanvas::PaintCanvas(g);
    }
    // What a game tick does.
    void Step()
    {
        PaintOffscreen();
        RefreshPicture(false);
    }
};

class OffscreenCanvasTest : public testing::Test {
protected:
    // A 300 by 300 canvas at (10, 20) on a window; opened unless told otherwise.
    void Open(bool withCreatedHandler = false)
    {
        window = std::make_shared<Window>();
        window->SetProperties({.Width = 700, .Height = 400, .HasBackColor = true, .BackColor = Color(0, 0, 255)});
        canvas = std::make_shared<ProbeCanvas>();
        canvas->SetProperties({.Control = {.Left = 10, .Top = 20, .Width = 300, .Height = 300}});
        if (withCreatedHandler) {
            canvas->Created.Attach([this](OffscreenCanvas& sender) {
                EXPECT_EQ(&sender, canvas.get());
                canvas->log.push_back("Created");
                sender.CreateOffscreen(32, true);
            });
        }
        window->AddControl("Probe", canvas);
        window->Constructor();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        if (window) {
            window->Close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The canvas painted into a black picture of the canvas's size.
    std::shared_ptr<Picture> PaintedPicture()
    {
        auto target = SolidPicture(canvas->Width(), canvas->Height(), Black);
        canvas->Event_Paint(*target->Graphics());
        return target;
    }

    // The canvas as the screen shows it.
    QImage OnScreen()
    {
        window->UpdateNow();
        return ControlAccess::Widget(*canvas)->grab().toImage();
    }

    static Color At(const QImage& image, int x, int y)
    {
        const QColor c = image.pixelColor(x, y);
        return Color(c.red(), c.green(), c.blue());
    }

    std::shared_ptr<Window> window;
    std::shared_ptr<ProbeCanvas> canvas;
};

} // namespace

TEST_F(OffscreenCanvasTest, OpeningInitializesThenRaisesCreated)
{
    Open(true);
    EXPECT_EQ(canvas->log, (std::vector<String>{"Initialize", "Created", "OffscreenCreated", "PaintOffscreen",
                                                "Refresh(false)"}));
    EXPECT_TRUE(canvas->RefOffscreenAvail());
    EXPECT_TRUE(canvas->OwnGraphics()->UseOldRenderer);
}

TEST_F(OffscreenCanvasTest, WithoutACreatedHandlerOpeningOnlyInitializesAndPaintsWhite)
{
    Open();
    EXPECT_EQ(canvas->log, (std::vector<String>{"Initialize"}));
    EXPECT_FALSE(canvas->RefOffscreenAvail());
    const auto painted = PaintedPicture();
    EXPECT_EQ(PixelOf(*painted, 0, 0), White);
    EXPECT_EQ(PixelOf(*painted, 299, 299), White);
    EXPECT_EQ(At(OnScreen(), 150, 150), White);
}

TEST_F(OffscreenCanvasTest, DepthsOtherThanOneEightSixteenOrTwentyFourGiveThirtyTwo)
{
    Open();
    const std::pair<Int32, Int32> depths[] = {{1, 1},  {8, 8},  {16, 16}, {24, 24}, {32, 32},
                                              {0, 32}, {2, 32}, {4, 32},  {15, 32}, {-1, 32}};
    for (const auto& [asked, made] : depths) {
        canvas->CreateOffscreen(asked, asked % 2 == 0);
        ASSERT_TRUE(canvas->OwnPicture()) << "depth " << asked;
        EXPECT_EQ(canvas->Depth(), made);
        EXPECT_EQ(canvas->OwnPicture()->Depth(), made);
        EXPECT_EQ(canvas->OwnGraphics(), canvas->OwnPicture()->Graphics());
        EXPECT_EQ(canvas->OwnGraphics()->UseOldRenderer, asked % 2 == 0);
    }
}

TEST_F(OffscreenCanvasTest, AFixedSizeCountsOnlyWhenBothSidesAreSet)
{
    Open();
    const struct {
        Int32 fixedWidth, fixedHeight, width, height;
    } cases[] = {{200, 0, 300, 300}, {0, 150, 300, 300}, {-5, 100, 300, 300}, {200, 150, 200, 150}};
    for (const auto& c : cases) {
        canvas->SetFixedSize(c.fixedWidth, c.fixedHeight);
        canvas->CreateOffscreen(32, true);
        EXPECT_EQ(canvas->PictureWidth(), c.width) << c.fixedWidth << " by " << c.fixedHeight;
        EXPECT_EQ(canvas->PictureHeight(), c.height);
        EXPECT_EQ(canvas->OwnPicture()->Width(), c.width);
        EXPECT_EQ(canvas->OwnPicture()->Height(), c.height);
    }
}

TEST_F(OffscreenCanvasTest, ASecondPictureReplacesTheFirstWithoutDisposing)
{
    Open(true);
    const auto first = canvas->OwnPicture();
    canvas->log.clear();
    canvas->CreateOffscreen(24, false);
    EXPECT_EQ(canvas->log, (std::vector<String>{"OffscreenCreated", "PaintOffscreen", "Refresh(false)"}));
    EXPECT_NE(canvas->OwnPicture(), first);
    EXPECT_EQ(canvas->Depth(), 24);
}

TEST_F(OffscreenCanvasTest, APictureThatCannotBeMadeLeavesNoneAndCallsNoHook)
{
    Open(true);
    canvas->log.clear();
    canvas->SetFixedSize(1 << 20, 1 << 20);
    canvas->CreateOffscreen(32, true);
    EXPECT_TRUE(canvas->log.empty());
    EXPECT_FALSE(canvas->RefOffscreenAvail());
    EXPECT_FALSE(canvas->OwnPicture());
    EXPECT_FALSE(canvas->OwnGraphics());
    EXPECT_EQ(canvas->PictureWidth(), 0);
    EXPECT_EQ(canvas->PictureHeight(), 0);
    EXPECT_EQ(canvas->Depth(), 0);
    EXPECT_EQ(PixelOf(*PaintedPicture(), 10, 10), White);
}

TEST_F(OffscreenCanvasTest, DisposingDropsThePictureAndAlwaysCallsItsHook)
{
    Open();
    canvas->DisposeOffscreen();
    EXPECT_EQ(canvas->log, (std::vector<String>{"Initialize", "OffscreenDisposed"}));

    canvas->CreateOffscreen(32, true);
    canvas->log.clear();
    canvas->DisposeOffscreen();
    EXPECT_EQ(canvas->log, (std::vector<String>{"OffscreenDisposed"})) << "no refresh";
    EXPECT_FALSE(canvas->RefOffscreenAvail());
    EXPECT_FALSE(canvas->OwnPicture());
    EXPECT_FALSE(canvas->OwnGraphics());
    EXPECT_EQ(canvas->PictureWidth() + canvas->PictureHeight() + canvas->Depth(), 0);
    EXPECT_EQ(PixelOf(*PaintedPicture(), 10, 10), White);
}

TEST_F(OffscreenCanvasTest, APictureOfTheControlsSizeIsCopiedAsItIs)
{
    Open(true);
    const auto painted = PaintedPicture();
    EXPECT_EQ(PixelOf(*painted, 0, 0), Red);
    EXPECT_EQ(PixelOf(*painted, 149, 299), Red);
    EXPECT_EQ(PixelOf(*painted, 150, 0), Green);
    EXPECT_EQ(PixelOf(*painted, 299, 299), Green);

    const QImage screen = OnScreen();
    EXPECT_EQ(At(screen, 149, 10), Red);
    EXPECT_EQ(At(screen, 150, 10), Green);
}

TEST_F(OffscreenCanvasTest, AResizedControlShowsTheWholePictureStretched)
{
    Open(true);
    canvas->SetWidth(600);
    EXPECT_EQ(canvas->PictureWidth(), 300) << "a new size does not remake the picture";
    const auto painted = PaintedPicture();
    EXPECT_EQ(PixelOf(*painted, 290, 150), Red);
    EXPECT_EQ(PixelOf(*painted, 310, 150), Green);
    EXPECT_EQ(PixelOf(*painted, 599, 299), Green);

    canvas->SetWidth(100);
    canvas->SetHeight(50);
    const QImage screen = OnScreen();
    EXPECT_EQ(At(screen, 45, 49), Red);
    EXPECT_EQ(At(screen, 55, 49), Green);
}

TEST_F(OffscreenCanvasTest, OnlyAPictureThatChangedIsPaintedAgain)
{
    Open(true);
    canvas->background = SolidPicture(300, 300, Green);
    canvas->piece = SolidPicture(20, 20, Red);
    // Each step as the game's tick: draw, refresh, bring the window up to date.
    const auto step = [&] {
        canvas->Step();
        window->UpdateNow();
        return canvas->paints;
    };
    step();
    EXPECT_EQ(At(OnScreen(), 5, 15), Red);
    const Int32 paints = canvas->paints;

    EXPECT_EQ(step(), paints) << "the same frame again";

    canvas->pieceX = 100;
    EXPECT_EQ(step(), paints + 1);
    const QImage screen = OnScreen();
    EXPECT_EQ(At(screen, 5, 15), Green);
    EXPECT_EQ(At(screen, 105, 15), Red);
}

TEST_F(OffscreenCanvasTest, ControlPositionsScaleToPicturePositions)
{
    Open(true);
    canvas->SetWidth(600);
    canvas->SetHeight(150);
    EXPECT_EQ(canvas->ScaledPosX(150), 75);
    EXPECT_EQ(canvas->ScaledPosX(599), 299);
    EXPECT_EQ(canvas->ScaledPosX(-1), 0);
    EXPECT_EQ(canvas->ScaledPosX(-3), -1);
    EXPECT_EQ(canvas->ScaledPosY(149), 298);
    EXPECT_EQ(canvas->ScaledPosY(-1), -2);
    canvas->SetWidth(0);
    canvas->SetHeight(0);
    EXPECT_EQ(canvas->ScaledPosX(150), 0);
    EXPECT_EQ(canvas->ScaledPosY(150), 0);
}

TEST_F(OffscreenCanvasTest, PointsInsideAreThoseOnTheControlNotOnThePicture)
{
    Open();
    canvas->SetFixedSize(50, 50);
    canvas->CreateOffscreen(32, true);
    EXPECT_TRUE(canvas->IsPointIn(0, 0));
    EXPECT_TRUE(canvas->IsPointIn(299, 299));
    EXPECT_TRUE(canvas->IsPointIn(100, 100));
    EXPECT_FALSE(canvas->IsPointIn(300, 0));
    EXPECT_FALSE(canvas->IsPointIn(-1, 0));
    EXPECT_FALSE(canvas->IsPointIn(0, 300));
    EXPECT_FALSE(canvas->IsPointIn(0, -1));
}

TEST_F(OffscreenCanvasTest, ThePointerIsGivenRelativeToTheControl)
{
    Open();
    const Int32 x = canvas->GetMouseLocalX();
    const Int32 y = canvas->GetMouseLocalY();
    canvas->SetLeft(canvas->Left() + 15);
    canvas->SetTop(canvas->Top() + 7);
    EXPECT_EQ(canvas->GetMouseLocalX(), x - 15);
    EXPECT_EQ(canvas->GetMouseLocalY(), y - 7);
}
