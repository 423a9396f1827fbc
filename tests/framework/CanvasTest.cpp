// A canvas on a window: the press gesture, the pointer entering and leaving, and painting
// (backdrop, Paint, refresh with and without erasing, UpdateNow).
#include "tests/support/UiTest.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"

#include <QEnterEvent>
#include <QScreen>

namespace {

constexpr Color Blue(0, 0, 255);
constexpr Color Red(255, 0, 0);
constexpr Color Green(0, 255, 0);

class CanvasTest : public UiTest {
protected:
    void SetUp() override
    {
        window = NewRecordingWindow({.Width = 60, .Height = 60, .HasBackColor = true, .BackColor = Blue});
        canvas = std::make_shared<Canvas>();
        window->AddControl("Canvas", canvas);
        canvas->SetProperties({.Control = {.Left = 10, .Top = 10, .Width = 40, .Height = 40}});
        canvas->MouseDown.Attach([this](Canvas&, Int32 x, Int32 y) {
            log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
            return wantsMouseUp;
        });
        canvas->MouseUp.Attach([this](Canvas&, Int32 x, Int32 y) {
            log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
        });
        canvas->MouseDrag.Attach([this](Canvas&, Int32 x, Int32 y) {
            log.push_back("drag " + std::to_string(x) + "," + std::to_string(y));
        });
        ProcessEvents();
    }

    QWidget* CanvasWidget() const { return ControlAccess::Widget(*canvas); }

    void Drag(Qt::MouseButton button, QPoint from, QPoint to)
    {
        QTest::mousePress(CanvasWidget(), button, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, CanvasWidget()->mapToGlobal(to), Qt::NoButton, button,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(CanvasWidget(), &move);
        QTest::mouseRelease(CanvasWidget(), button, {}, to);
    }

    // A pixel of the window's content area as it is on the screen.
    Color ScreenPixel(int x, int y) const
    {
        QWidget* content = WindowAccess::Content(*window);
        const QPoint at = content->mapTo(content->window(), QPoint(x, y));
        const QImage shot = content->screen()->grabWindow(content->window()->winId()).toImage();
        const QColor c = shot.pixelColor(at);
        return Color(c.red(), c.green(), c.blue());
    }

    std::shared_ptr<RecordingWindow> window;
    std::shared_ptr<Canvas> canvas;
    std::vector<String> log;
    bool wantsMouseUp = true;
};

TEST_F(CanvasTest, APressAnsweredTrueGetsItsDragsAndItsRelease)
{
    Drag(Qt::LeftButton, QPoint(5, 6), QPoint(45, -3));
    EXPECT_EQ(log, (std::vector<String>{"down 5,6", "drag 45,-3", "up 45,-3"}));
}

TEST_F(CanvasTest, APressAnsweredFalseEndsTheGestureAtOnce)
{
    wantsMouseUp = false;
    Drag(Qt::LeftButton, QPoint(5, 6), QPoint(7, 8));
    EXPECT_EQ(log, (std::vector<String>{"down 5,6"}));
    QTest::mouseDClick(CanvasWidget(), Qt::LeftButton, {}, QPoint(1, 2));
    EXPECT_EQ(log.back(), "down 1,2") << "the second press of a double click is a press too";
}

TEST_F(CanvasTest, OnlyThePrimaryButtonPlays)
{
    Drag(Qt::RightButton, QPoint(5, 6), QPoint(7, 8));
    Drag(Qt::MiddleButton, QPoint(5, 6), QPoint(7, 8));
    EXPECT_TRUE(log.empty());
    // A secondary press during a primary one neither ends it nor starts another.
    QTest::mousePress(CanvasWidget(), Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mousePress(CanvasWidget(), Qt::RightButton, {}, QPoint(2, 2));
    QTest::mouseRelease(CanvasWidget(), Qt::RightButton, {}, QPoint(2, 2));
    QTest::mouseRelease(CanvasWidget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(log, (std::vector<String>{"down 1,1", "up 3,3"}));
}

TEST_F(CanvasTest, APressBesideTheCanvasGoesToTheWindowNotToTheCanvas)
{
    bool windowPressed = false;
    class PressWindow : public Window {
    public:
        explicit PressWindow(bool& pressed) : itsPressed(pressed) {}
        bool Event_MouseDown(Int32 x, Int32 y) override
        {
            itsPressed = (x == 3 && y == 4);
            return false;
        }
        bool& itsPressed;
    };
    const auto pressWindow = std::make_shared<PressWindow>(windowPressed);
    pressWindow->Constructor();
    QTest::mouseClick(WindowAccess::Content(*pressWindow), Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_TRUE(windowPressed);
}

TEST_F(CanvasTest, EnterAndExitReachTheirHandlers)
{
    Int32 inside = 0;
    canvas->MouseEnter.Attach([&](Canvas&) { ++inside; });
    canvas->MouseExit.Attach([&](Canvas&) { --inside; });
    QEnterEvent enter(QPointF(1, 1), QPointF(11, 11), CanvasWidget()->mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(CanvasWidget(), &enter);
    EXPECT_EQ(inside, 1);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(CanvasWidget(), &leave);
    EXPECT_EQ(inside, 0);
}

TEST_F(CanvasTest, TheBackdropIsDrawnBeneathPaintAndNullDrawsNothing)
{
    const auto backdrop = Picture::New(8, 8, 32);
    backdrop->Graphics()->ForeColor = Red;
    backdrop->Graphics()->FillRect(0, 0, 8, 8);
    canvas->SetBackdrop(backdrop);
    canvas->Paint.Attach([](Canvas&, Graphics& g) {
        g.ForeColor = Green;
        g.FillRect(4, 4, 4, 4);
    });
    window->UpdateNow();
    EXPECT_EQ(ScreenPixel(11, 11), Red);
    EXPECT_EQ(ScreenPixel(15, 15), Green);
    EXPECT_EQ(ScreenPixel(30, 30), Blue) << "erased with the window's colour";

    canvas->SetBackdrop(nullptr);
    window->UpdateNow();
    EXPECT_EQ(ScreenPixel(11, 11), Blue);
    EXPECT_EQ(ScreenPixel(15, 15), Green);
}

TEST_F(CanvasTest, RefreshWithoutErasingKeepsWhatPaintLeavesAndUpdateNowPaintsAtOnce)
{
    bool whole = true;
    Int32 paints = 0;
    canvas->Paint.Attach([&](Canvas&, Graphics& g) {
        ++paints;
        g.ForeColor = whole ? Red : Green;
        g.FillRect(0, 0, whole ? 40 : 10, whole ? 40 : 10);
    });
    canvas->Refresh(false);
    window->UpdateNow();
    ASSERT_EQ(ScreenPixel(30, 30), Red);

    whole = false;
    const Int32 before = paints;
    canvas->Refresh(false);
    EXPECT_EQ(paints, before) << "a refresh only schedules";
    window->UpdateNow();
    EXPECT_EQ(paints, before + 1);
    EXPECT_EQ(ScreenPixel(12, 12), Green);
    EXPECT_EQ(ScreenPixel(30, 30), Red) << "not erased";

    canvas->Refresh(true);
    window->UpdateNow();
    EXPECT_EQ(ScreenPixel(30, 30), Blue);

    canvas->SetProperties(
        {.Control = {.Left = 10, .Top = 10, .Width = 40, .Height = 40}, .EraseBackground = false});
    whole = true;
    canvas->Refresh(false);
    window->UpdateNow();
    ASSERT_EQ(ScreenPixel(30, 30), Red);
    canvas->Refresh(true);
    whole = false;
    window->UpdateNow();
    EXPECT_EQ(ScreenPixel(30, 30), Red) << "a canvas without EraseBackground is never erased";
}

} // namespace
