#pragma once
// A 24-bit RGB colour.

#include <cstdint>

struct Color {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    constexpr Color() = default;
    constexpr Color(std::uint8_t red, std::uint8_t green, std::uint8_t blue) : Red(red), Green(green), Blue(blue)
    {
    }
    // From 0xRRGGBB, as in &hRRGGBB.
    constexpr explicit Color(std::uint32_t rgb)
        : Red(static_cast<std::uint8_t>(rgb >> 16)), Green(static_cast<std::uint8_t>(rgb >> 8)),
          Blue(static_cast<std::uint8_t>(rgb))
    {
    }

    // 0xRRGGBB.
    constexpr std::uint32_t RGBValue() const
    {
        return (std::uint32_t(Red) << 16) | (std::uint32_t(Green) << 8) | std::uint32_t(Blue);
    }

    // HSV components, each from 0.0 to 1.0. Value is the brightness: 0.0 black, 1.0 white.
    double Hue() const;
    double Saturation() const;
    double Value() const;

    friend constexpr bool operator==(const Color&, const Color&) = default;
};

// Components 0..255 (values outside are clamped).
Color RGB(int red, int green, int blue);
// Hue, saturation and value from 0.0 to 1.0 (hue wraps around).
Color HSV(double hue, double saturation, double value);
