#include "framework/Maths.h"

#include "framework/TestSeams.h"

#include <chrono>
#include <cmath>
#include <functional>
#include <random>

namespace {

std::function<double()> rndSource;
std::function<double()> microsecondsSource;

std::mt19937_64& Generator()
{
    static std::mt19937_64 generator{[] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }()};
    return generator;
}

} // namespace

void SetRndSource(std::function<double()> source)
{
    rndSource = std::move(source);
}

void SetMicrosecondsSource(std::function<double()> source)
{
    microsecondsSource = std::move(source);
}

double Rnd()
{
    if (rndSource) {
        return rndSource();
    }
    // 53 random bits: every double in [0, 1) at the same spacing, never 1.
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

double Floor(double x)
{
    return std::floor(x);
}

double Abs(double x)
{
    return std::fabs(x);
}

Int32 Abs(Int32 x)
{
    return x < 0 ? -x : x;
}

double Pow(double base, double exponent)
{
    return std::pow(base, exponent);
}

double Max(double a, double b)
{
    return a < b ? b : a;
}

Int32 Max(Int32 a, Int32 b)
{
    return a < b ? b : a;
}

double Microseconds()
{
    if (microsecondsSource) {
        return microsecondsSource();
    }
    using namespace std::chrono;
    return duration<double, std::micro>(steady_clock::now().time_since_epoch()).count();
}
