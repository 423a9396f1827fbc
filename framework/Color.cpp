#include "framework/Color.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t Channel(double unit)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

} // namespace

double Color::Value() const
{
    return std::max({Red, Green, Blue}) / 255.0;
}

double Color::Saturation() const
{
    const int high = std::max({Red, Green, Blue});
    const int low = std::min({Red, Green, Blue});
    return high == 0 ? 0.0 : double(high - low) / high;
}

double Color::Hue() const
{
    const int high = std::max({Red, Green, Blue});
    const int span = high - std::min({Red, Green, Blue});
    if (span == 0) {
        return 0.0;
    }
    double sixths = 0.0;
    if (high == Red) {
        sixths = double(Green - Blue) / span;
    } else if (high == Green) {
        sixths = 2.0 + double(Blue - Red) / span;
    } else {
        sixths = 4.0 + double(Red - Green) / span;
    }
    return sixths < 0.0 ? (sixths + 6.0) / 6.0 : sixths / 6.0;
}

Color RGB(int red, int green, int blue)
{
    auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    return Color(clamp(red), clamp(green), clamp(blue));
}

Color HSV(double hue, double saturation, double value)
{
    const double s = std::clamp(saturation, 0.0, 1.0);
    const double v = std::clamp(value, 0.0, 1.0);
    const double h = (hue - std::floor(hue)) * 6.0;
    const int sector = static_cast<int>(h) % 6;
    const double f = h - std::floor(h);
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    switch (sector) {
    case 0:
        return Color(Channel(v), Channel(t), Channel(p));
    case 1:
        return Color(Channel(q), Channel(v), Channel(p));
    case 2:
        return Color(Channel(p), Channel(v), Channel(t));
    case 3:
        return Color(Channel(p), Channel(q), Channel(v));
    case 4:
        return Color(Channel(t), Channel(p), Channel(v));
    default:
        return Color(Channel(v), Channel(p), Channel(q));
    }
}
