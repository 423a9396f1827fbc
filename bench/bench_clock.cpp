// The game clock on the real event loop: Setup(20, 100) for 30 s. Prints how many actions
// came, how late each came after its due time, and whether the lateness grows (drift).
// Exits non-zero when a figure misses its target.
#include "components/periodictimer/PeriodicTimer.h"
#include "framework/Application.h"
#include "framework/Maths.h"
#include "framework/Runtime.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

constexpr Int32 PollMs = 20;
constexpr Int32 IntervalMs = 100;
constexpr double RunUs = 30.0e6;
constexpr int WantActions = 300;
constexpr int ActionTolerance = 1;
constexpr double MaxLateMs = 25.0;
// Mean lateness of the last ten seconds against the first ten.
constexpr double MaxDriftMs = 2.0;

// Starts the clock when the loop opens and quits once the run is over.
class ClockRun : public Application {
public:
    void Event_Open() override
    {
        itsClock->PeriodicAction.Attach([this](PeriodicTimer& clock, Int32) {
            const double now = Microseconds();
            // The first action due after the run ends it.
            if (now - itsStart > RunUs + IntervalMs * 500.0) {
                clock.TimerStop();
                Quit();
                return;
            }
            fired.push_back(now - itsStart);
        });
        itsClock->Setup(PollMs, IntervalMs);
        itsStart = Microseconds();
        itsClock->TimerStart(0);
    }

    // Microseconds after the start at which each action ran.
    std::vector<double> fired;

private:
    std::shared_ptr<PeriodicTimer> itsClock = std::make_shared<PeriodicTimer>();
    double itsStart = 0.0;
};

double MeanMs(const std::vector<double>& late, size_t from, size_t to)
{
    return to > from ? std::accumulate(late.begin() + from, late.begin() + to, 0.0) / (to - from) : 0.0;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::vector<double> fired;
    {
        const Runtime runtime = RunFrameworkInitialization(argc, argv);
        const auto run = std::make_shared<ClockRun>();
        RuntimeRegisterAppObject(run);
        std::printf("running the clock (poll %d ms, interval %d ms) for %.0f s ...\n", PollMs, IntervalMs,
                    RunUs / 1e6);
        RuntimeRun();
        fired = run->fired;
    }

    // The k-th action (from 0) is due (k + 1) intervals after the start.
    std::vector<double> lateMs;
    for (size_t k = 0; k < fired.size(); ++k) {
        lateMs.push_back((fired[k] - (k + 1) * IntervalMs * 1000.0) / 1000.0);
    }
    const int actions = static_cast<int>(fired.size());
    const double worst = lateMs.empty() ? 0.0 : *std::max_element(lateMs.begin(), lateMs.end());
    const double earliest = lateMs.empty() ? 0.0 : *std::min_element(lateMs.begin(), lateMs.end());
    std::vector<double> sorted = lateMs;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.empty() ? 0.0 : sorted[sorted.size() / 2];
    const size_t third = lateMs.size() / 3;
    const double drift = MeanMs(lateMs, lateMs.size() - third, lateMs.size()) - MeanMs(lateMs, 0, third);

    const bool countOk = std::abs(actions - WantActions) <= ActionTolerance;
    const bool lateOk = !lateMs.empty() && earliest >= 0.0 && worst <= MaxLateMs;
    const bool driftOk = std::abs(drift) <= MaxDriftMs;
    auto verdict = [](bool ok) { return ok ? "ok" : "MISSED"; };
    std::printf("actions due in 30 s: %d (target %d +- %d) %s\n", actions, WantActions, ActionTolerance,
                verdict(countOk));
    std::printf("lateness:           min %.3f ms, median %.3f ms, max %.3f ms (target 0 to %.0f ms) %s\n",
                earliest, median, worst, MaxLateMs, verdict(lateOk));
    std::printf("drift:              %+.3f ms, last ten seconds against the first (target +-%.0f ms) %s\n", drift,
                MaxDriftMs, verdict(driftOk));
    return countOk && lateOk && driftOk ? 0 : 1;
}
