// What is on the screen at the end of each tick, run as the main window runs it: the field's
// frame, with the pixels of the same frame painted into a picture that holds nothing yet.

#include "framework/Picture.h"
#include "framework/qt/PictureBridge.h"
#include "tests/puzzle/FieldWindowTest.h"

#include <QImage>
#include <QScreen>
#include <QWidget>

#include <cstdint>

namespace {

constexpr Int32 Ready = 1, Starting = 2, Playing = 3, Moving = 4, Ending = 7;
constexpr std::pair<Int32, Int32> StartButton{23, 277}, UndoButton{247, 277};

Int32 DifferingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return a.width() * a.height();
    }
    Int32 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            differing += (lineA[x] | 0xFF000000u) != (lineB[x] | 0xFF000000u);
        }
    }
    return differing;
}

class GameFieldScreen : public FieldWindowTest {
protected:
    void AfterStep() override
    {
        FieldWindowTest::AfterStep();
        ++ticks;
        const std::uint64_t version = field->Offscreen()->Version();
        held += version == lastVersion;
        lastVersion = version;

        const QImage screen = OnScreen();
        changed += screen != lastScreen;
        lastScreen = screen;
        const QImage picture = PictureBridge::Image(*field->Offscreen()).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(DifferingPixels(screen, picture), 0) << "tick " << ticks << ": the frame on the screen";
        // A fading end picture moves on at each painting; its frames are left to the screen.
        if (field->CompleteFader().Status() != 1 && field->DeadEndFader().Status() != 1) {
            ++compared;
            const QImage afresh = PictureBridge::Image(*field->FrameDrawnAfresh());
            EXPECT_EQ(DifferingPixels(picture, afresh), 0) << "tick " << ticks << ": the frame drawn afresh";
        }
    }

    // The field's area of its window as the window system has it.
    QImage OnScreen() const
    {
        QWidget* widget = FieldWidget();
        const QImage shot = widget->screen()->grabWindow(widget->window()->winId()).toImage();
        return shot.copy(QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()))
            .convertToFormat(QImage::Format_RGB32);
    }

    void Click(std::pair<Int32, Int32> at)
    {
        PressAt(at.first, at.second);
        Tick();
        ReleaseAt(at.first, at.second);
        Tick();
    }

    Int32 ticks = 0;
    Int32 held = 0;
    Int32 changed = 0;
    Int32 compared = 0;
    std::uint64_t lastVersion = 0;
    QImage lastScreen;
};

TEST_F(GameFieldScreen, EachTickEndsWithItsFrameOnTheScreenWhetherItChangedOrNot)
{
    StartFirstGame();
    Ticks(3);
    const auto moves = SolveBoard(ZeroDrawBoard());
    ASSERT_TRUE(moves);
    const auto [toX, toY] = CellCentre((*moves)[0].To);
    PointAt(toX, toY);
    Ticks(2);
    // Selected, then the target under the pointer, then the move.
    PressOn((*moves)[0].From);
    Tick();
    PointAt(toX, toY);
    Tick();
    ReleaseOn((*moves)[0].To);
    Tick();
    TicksWhile(Moving);
    Ticks(3);
    Click(UndoButton);
    Ticks(2);
    // Aborted, with its banner in the ready phase.
    field->GameAbort();
    TicksWhile(Playing);
    TicksWhile(Ending);
    Ticks(3);
    // A new game played to its end, the end picture faded in.
    Click(StartButton);
    TicksWhile(Ready);
    TicksWhile(Starting);
    ASSERT_EQ(field->Phase(), Playing);
    field->ReplacePosition(BoardOf({{0, 5}, {1, 5}}));
    Tick();
    PressOn(0);
    ReleaseOn(1);
    Tick();
    TicksWhile(Moving);
    ASSERT_EQ(field->Phase(), Ending);
    Ticks(60);

    EXPECT_GT(held, 40) << "frames that repeated the last one, of " << ticks;
    EXPECT_GT(changed, 20) << "ticks that changed the screen, of " << ticks;
    EXPECT_GT(compared, ticks / 2);
}

} // namespace
