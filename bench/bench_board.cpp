// Making a new board and testing a full board for the end of the game.
#include "bench/HeadlessBenchmarks.h"
#include "puzzle/GameField.h"

#include <benchmark/benchmark.h>

namespace {

// A game field with its board, its board operations open to the benchmarks.
class BoardField : public GameField {
public:
    BoardField()
    {
        ItsGameTable = std::make_shared<GameTable>();
        ItsGameTable->Constructor(4, 4, 4, -4);
    }
    using GameField::GameClear;
    using GameField::GameMake;
    using GameField::GameTest;
};

void MakeBoard(benchmark::State& state)
{
    const auto field = std::make_shared<BoardField>();
    for (auto _ : state) {
        state.PauseTiming();
        field->GameClear();
        state.ResumeTiming();
        field->GameMake();
    }
    state.SetLabel("target median <= 20 us");
}
BENCHMARK(MakeBoard)->Unit(benchmark::kMicrosecond);

void TestFullBoard(benchmark::State& state)
{
    const auto field = std::make_shared<BoardField>();
    field->GameMake();
    for (auto _ : state) {
        benchmark::DoNotOptimize(field->GameTest());
    }
    state.SetLabel("target median <= 2 us");
}
BENCHMARK(TestFullBoard)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunHeadlessBenchmarks(argc, argv);
}
