// Drawing figures of the game's tick: the 300 x 300 background at its own size (goal: median
// <= 40 us) and a 60 x 52 transparent triangle (goal: median <= 5 us), Release build.
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

} // namespace

BENCHMARK(DrawBackground)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(DrawTransparentTriangle)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(DrawGlyphFromStrip)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
