#include "framework/Maths.h"
#include "framework/Color.h"
#include "framework/TestSeams.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>

TEST(Maths, RndDrawsFromZeroUpToOne)
{
    std::set<double> seen;
    for (int i = 0; i < 10000; ++i) {
        const double x = Rnd();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        seen.insert(Floor(x * 10.0));
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST(Maths, RndAndMicrosecondsCanBeReplaced)
{
    SetRndSource([] { return 0.0; });
    SetMicrosecondsSource([] { return 1500.0; });
    EXPECT_EQ(Rnd(), 0.0);
    EXPECT_EQ(Rnd(), 0.0);
    EXPECT_EQ(Microseconds(), 1500.0);
    SetRndSource(nullptr);
    SetMicrosecondsSource(nullptr);
    EXPECT_NE(Rnd() + Rnd() + Rnd(), 0.0);
    EXPECT_NE(Microseconds(), 1500.0);
}

TEST(Maths, MicrosecondsIsASteadyClock)
{
    using Clock = std::chrono::steady_clock;
    const auto outerStart = Clock::now();
    const double start = Microseconds();
    double last = start;
    while (last - start < 2000.0) {
        const double now = Microseconds();
        ASSERT_GE(now, last);
        last = now;
    }
    const auto outer = std::chrono::duration<double, std::micro>(Clock::now() - outerStart).count();
    // Read inside the steady clock's span, so never longer than it, however loaded the machine.
    EXPECT_LE(last - start, outer) << "counts microseconds, not a finer unit";
}

TEST(Maths, NumberFunctions)
{
    EXPECT_EQ(Floor(-0.5), -1.0);
    EXPECT_EQ(Abs(-3), 3);
    EXPECT_EQ(Abs(-2.5), 2.5);
    EXPECT_EQ(Pow(2.0, 10.0), 1024.0);
    EXPECT_EQ(Max(-1.0, 0.0), 0.0);
    EXPECT_EQ(Max(3, 2), 3);
}

TEST(Color, HsvValueIsBrightness)
{
    EXPECT_EQ(HSV(0.0, 0.0, 1.0), Color(255, 255, 255));
    EXPECT_EQ(HSV(0.0, 0.0, 0.0), Color(0, 0, 0));
    EXPECT_EQ(HSV(0.0, 0.0, 0.5), Color(128, 128, 128));
    EXPECT_NEAR(HSV(0.0, 0.0, 0.26).Value(), 0.26, 0.5 / 255);
    EXPECT_EQ(HSV(0.0, 1.0, 1.0), Color(255, 0, 0));
    EXPECT_EQ(HSV(1.0 / 3.0, 1.0, 1.0), Color(0, 255, 0));
    EXPECT_EQ(HSV(1.0, 1.0, 1.0), Color(255, 0, 0));
    EXPECT_DOUBLE_EQ(RGB(10, 200, 30).Value(), 200.0 / 255.0);
    EXPECT_DOUBLE_EQ(Color(0x999999u).Value(), 0x99 / 255.0);
    EXPECT_LT(Color(127, 127, 127).Value(), 0.5);
    EXPECT_GT(Color(128, 0, 0).Value(), 0.5);
}

TEST(Color, HueAndSaturationRoundTrip)
{
    const Color c = RGB(200, 120, 40);
    EXPECT_EQ(HSV(c.Hue(), c.Saturation(), c.Value()), c);
    EXPECT_EQ(Color(0x12AB34u).RGBValue(), 0x12AB34u);
    EXPECT_EQ(RGB(300, -4, 7), Color(255, 0, 7));
}
