// Drawing figures of the game's tick: the 300 x 300 background at its own size (goal: median
// <= 40 us), a 60 x 52 transparent triangle (goal: median <= 5 us) and a whole frame of them,
// Release build.
#include "framework/Graphics.h"
#include "framework/Picture.h"

#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<Picture> Offscreen()
{
    auto offscreen = Picture::New(300, 300, 32);
    offscreen->Graphics()->UseOldRenderer = true;
    return offscreen;
}

// A coloured triangle on white, white drawn transparent, as the tile triangles are.
std::shared_ptr<Picture> Triangle()
{
    auto triangle = Picture::New(60, 52, 32);
    auto g = triangle->Graphics();
    g->ForeColor = Color(40, 120, 200);
    for (Int32 y = 0; y < 52; ++y) {
        const Int32 half = y * 30 / 52;
        g->FillRect(30 - half, y, 2 * half + 1, 1);
    }
    triangle->SetTransparent(1);
    return triangle;
}

void DrawBackground(benchmark::State& state)
{
    auto offscreen = Offscreen();
    auto background = Picture::New(300, 300, 32);
    background->Graphics()->ForeColor = Color(30, 60, 90);
    background->Graphics()->FillOval(10, 10, 280, 280);
    for (auto _ : state) {
        offscreen->Graphics()->DrawPicture(background, 0, 0, OwnSize, OwnSize, 0, 0, OwnSize, OwnSize);
        benchmark::ClobberMemory();
    }
}

void DrawTransparentTriangle(benchmark::State& state)
{
    auto offscreen = Offscreen();
    auto triangle = Triangle();
    Int32 x = 0;
    for (auto _ : state) {
        offscreen->Graphics()->DrawPicture(triangle, 30 + x, 100, OwnSize, OwnSize, 0, 0, OwnSize, OwnSize);
        x = (x + 30) % 180;
        benchmark::ClobberMemory();
    }
}

// One digit glyph cut from a strip by a source rectangle.
void DrawGlyphFromStrip(benchmark::State& state)
{
    auto offscreen = Offscreen();
    auto strip = Picture::New(300, 20, 32);
    strip->SetTransparent(1);
    Int32 digit = 0;
    for (auto _ : state) {
        offscreen->Graphics()->DrawPicture(strip, 120, 140, 30, 20, digit * 30, 0, 30, 20);
        digit = (digit + 1) % 10;
        benchmark::ClobberMemory();
    }
}

// One frame of the board: the background, 24 triangles and 24 digits cut from a strip.
void DrawBoardFrame(benchmark::State& state)
{
    auto offscreen = Offscreen();
    auto background = Picture::New(300, 300, 32);
    background->Graphics()->ForeColor = Color(30, 60, 90);
    background->Graphics()->FillOval(10, 10, 280, 280);
    auto triangle = Triangle();
    auto strip = Picture::New(300, 20, 32);
    strip->Graphics()->ForeColor = Color(0, 0, 0);
    strip->Graphics()->FillOval(5, 2, 20, 16);
    strip->SetTransparent(1);
    Graphics& g = *offscreen->Graphics();
    for (auto _ : state) {
        g.DrawPicture(background, 0, 0);
        for (Int32 i = 0; i < 24; ++i) {
            const Int32 x = i % 6 * 45;
            const Int32 y = i / 6 * 60;
            g.DrawPicture(triangle, x, y);
            g.DrawPicture(strip, x + 15, y + 16, 30, 20, i % 10 * 30, 0, 30, 20);
        }
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(DrawBackground)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(DrawTransparentTriangle)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(DrawGlyphFromStrip)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(DrawBoardFrame)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
