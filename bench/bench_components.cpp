// Painting a button group and one fading frame of an end picture with a shape.
#include "bench/HeadlessBenchmarks.h"
#include "components/buttonpicture/ButtonPicture.h"
#include "components/picturefader/PictureFader.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"

#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<Picture> Filled(Int32 width, Int32 height, Color color)
{
    std::shared_ptr<Picture> picture = Picture::New(width, height, 32);
    Graphics& g = *picture->Graphics();
    g.ForeColor = color;
    g.FillRect(0, 0, width, height);
    return picture;
}

// An overlay on transparent white, as the game's button faces are.
std::shared_ptr<Picture> Face(Int32 left, Color color)
{
    std::shared_ptr<Picture> face = Filled(60, 30, Color(255, 255, 255));
    Graphics& g = *face->Graphics();
    g.ForeColor = color;
    g.FillOval(left, 2, 26, 26);
    face->SetTransparent(1);
    return face;
}

void PaintButton(benchmark::State& state)
{
    ButtonPicture group;
    group.Constructor(Filled(60, 30, Color(90, 90, 90)), 8, 262, 32, true);
    group.AddButton(Face(2, Color(200, 0, 0)), Face(2, Color(100, 0, 0)), Filled(30, 30, Color(0, 0, 0)));
    group.AddButton(Face(32, Color(0, 0, 200)), Face(32, Color(0, 0, 100)), Filled(60, 30, Color(0, 0, 0)));
    group.ButtonEnable(0);
    group.ButtonEnable(1);
    std::shared_ptr<Picture> field = Filled(300, 300, Color(0, 100, 0));
    Graphics& g = *field->Graphics();
    for (auto _ : state) {
        group.PaintButton(g);
        benchmark::DoNotOptimize(g);
    }
    state.SetLabel("target median <= 10 us");
}
BENCHMARK(PaintButton)->Unit(benchmark::kMicrosecond);

// A 200 by 120 end picture: a disc on pure white, so its shape is the disc.
std::shared_ptr<Picture> EndPicture()
{
    std::shared_ptr<Picture> pic = Filled(200, 120, Color(255, 255, 255));
    Graphics& g = *pic->Graphics();
    g.ForeColor = Color(230, 120, 20);
    g.FillOval(10, 0, 180, 120);
    return pic;
}

// Working out the shape pixel by pixel, once per fader when the game field is set up.
void FaderWithShape(benchmark::State& state)
{
    std::shared_ptr<Picture> pic = EndPicture();
    for (auto _ : state) {
        PictureFader fader;
        fader.Constructor(pic, 0.0, 1, nullptr);
        benchmark::DoNotOptimize(fader);
    }
    state.SetLabel("no target: runs twice at start-up");
}
BENCHMARK(FaderWithShape)->Unit(benchmark::kMicrosecond);

void FadingDrawPicture(benchmark::State& state)
{
    std::shared_ptr<Picture> pic = EndPicture();
    PictureFader fader;
    fader.Constructor(pic, 0.5, 1, nullptr); // fading at rate 0: every drawing rewrites the mask
    std::shared_ptr<Picture> field = Filled(300, 300, Color(0, 100, 0));
    Graphics& g = *field->Graphics();
    for (auto _ : state) {
        fader.DrawPicture(g, 50, 90);
        benchmark::DoNotOptimize(g);
    }
    state.SetLabel("target median <= 100 us");
}
BENCHMARK(FadingDrawPicture)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunHeadlessBenchmarks(argc, argv);
}
