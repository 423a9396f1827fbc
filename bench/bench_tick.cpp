// One game tick with a full board: GameStep with its cursor tracking and its painting of the
// whole field.
#include "app/Appl.h"
#include "components/media/Media.h"
#include "components/soundplayer/SoundPlayer.h"
#include "framework/Runtime.h"
#include "framework/TestSeams.h"
#include "puzzle/GameField.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

// A field in play, its first board just shown.
class PlayingField : public GameField {
public:
    PlayingField()
    {
        SetProperties({.Control = {.Width = 300, .Height = 300}});
        Event_Open();
        CreateOffscreen(32, true);
        while (ItsGamePhase != Playing) {
            GameStep();
        }
    }
    Int32 Tiles() const
    {
        Int32 tiles = 0;
        for (Int32 s = 0; s < ItsGameTable->RefCellCount(); ++s) {
            tiles += ItsGameTable->GetGameCell(s)->RefValue() >= 0;
        }
        return tiles;
    }
};

void TickWithAFullBoard(benchmark::State& state)
{
    const auto field = std::make_shared<PlayingField>();
    if (field->Tiles() != 24) {
        state.SkipWithError("the board is not full");
        return;
    }
    for (auto _ : state) {
        field->GameStep();
    }
    state.SetLabel("target median <= 250 us");
}
BENCHMARK(TickWithAFullBoard)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const Runtime runtime = RunFrameworkInitialization(argc, argv);
    // The media of the bundle that the build lays out beside the benchmarks' folder.
    const auto bundle = std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "Kalmeno";
    SetResourcesFolderOverride((bundle / "Resources").string());
    auto app = std::make_shared<Appl>();
    app->ItsSoundPlayer = std::make_shared<SoundPlayer>();
    RuntimeRegisterAppObject(app);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    RuntimeRegisterAppObject(nullptr);
    ReleaseMedia();
    return 0;
}
