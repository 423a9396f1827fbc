#pragma once
// Colour arithmetic for the per-pixel artwork, in floating point 0..255.

#include <QColor>

#include <algorithm>

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;

    QColor ToColor() const { return QColor(channel(r), channel(g), channel(b)); }

    static Rgb Of(const QColor& c) { return {double(c.red()), double(c.green()), double(c.blue())}; }

private:
    static int channel(double v) { return std::clamp(int(v + 0.5), 0, 255); }
};

inline Rgb operator+(Rgb a, Rgb b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(Rgb a, double k)
{
    return {a.r * k, a.g * k, a.b * k};
}

// a at t = 0, b at t = 1; t is clamped.
inline Rgb Mix(Rgb a, Rgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return a * (1 - t) + b * t;
}

// 0 below edge0, 1 above edge1, a smooth step between.
inline double Smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}
