#include "tests/puzzle/FieldTest.h"

#include "components/media/Sounds.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "framework/TestSeams.h"

namespace {

String SoundName(const std::shared_ptr<Sound>& snd)
{
    const std::pair<const char*, std::shared_ptr<Sound>> known[] = {
        {"Beep", BeepSnd()},   {"Click", ClickSnd()}, {"Complete", CompleteSnd()}, {"DeadEnd", DeadEndSnd()},
        {"Start", StartSnd()}, {"Step", StepSnd()},   {"Tile", TileSnd()},
    };
    for (const auto& [name, known_snd] : known) {
        if (snd && snd == known_snd) {
            return name;
        }
    }
    return snd ? "other" : "null";
}

} // namespace

FieldTest::FieldTest()
{
    SetRndSource([] { return 0.0; });
    SetShiftKeyOverride(false);
    SetMouseDownOverride(false);
}

FieldTest::~FieldTest()
{
    SetMouseDownOverride(std::nullopt);
    SetShiftKeyOverride(std::nullopt);
    SetRndSource(nullptr);
}

Sounds FieldTest::Tick()
{
    field->GameStep();
    AfterStep();
    app.Player().PlayQueue();
    Sounds heard;
    for (; itsHeard < app.Player().Pushed.size(); ++itsHeard) {
        const auto& push = app.Player().Pushed[itsHeard];
        heard.push_back({SoundName(push.Snd), push.Priority});
    }
    return heard;
}

Sounds FieldTest::Ticks(Int32 n)
{
    Sounds heard;
    for (Int32 i = 0; i < n; ++i) {
        const Sounds some = Tick();
        heard.insert(heard.end(), some.begin(), some.end());
    }
    return heard;
}

Int32 FieldTest::TicksWhile(Int32 phase, Int32 limit)
{
    Int32 n = 0;
    while (field->Phase() == phase && n < limit) {
        Tick();
        ++n;
    }
    return n;
}

bool FieldTest::Drag(Int32 from, Int32 to)
{
    const auto [fromX, fromY] = CellCentre(from);
    const bool pressed = field->MouseClick(fromX, fromY);
    if (pressed) {
        const auto [toX, toY] = CellCentre(to);
        field->MouseRelease(toX, toY);
    }
    return pressed;
}

void FieldTest::PlayMove(BoardMove move)
{
    Drag(move.From, move.To);
    Tick();
    TicksWhile(4);
}

Color FieldTest::PixelAt(Int32 x, Int32 y) const
{
    return field->Offscreen()->Graphics()->Pixel(x, y);
}
