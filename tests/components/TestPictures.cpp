#include "tests/components/TestPictures.h"

#include "framework/Graphics.h"
#include "framework/RGBSurface.h"

#include <cmath>
#include <cstdlib>

std::shared_ptr<Picture> SolidPicture(Int32 width, Int32 height, Color color)
{
    std::shared_ptr<Picture> picture = Picture::New(width, height, 32);
    FillArea(*picture, 0, 0, width, height, color);
    return picture;
}

void FillArea(Picture& picture, Int32 x, Int32 y, Int32 width, Int32 height, Color color)
{
    Graphics& g = *picture.Graphics();
    g.ForeColor = color;
    g.FillRect(x, y, width, height);
}

Color PixelOf(Picture& picture, Int32 x, Int32 y)
{
    return picture.RGBSurface()->Pixel(x, y);
}

bool Near(Color a, Color b, int tolerance)
{
    return std::abs(a.Red - b.Red) <= tolerance && std::abs(a.Green - b.Green) <= tolerance &&
           std::abs(a.Blue - b.Blue) <= tolerance;
}

Color Blend(Color a, Color b, double opacity)
{
    auto mix = [opacity](int over, int under) {
        return int(std::lround(over * opacity + under * (1.0 - opacity)));
    };
    return RGB(mix(a.Red, b.Red), mix(a.Green, b.Green), mix(a.Blue, b.Blue));
}

std::ostream& operator<<(std::ostream& out, const Color& color)
{
    return out << "RGB(" << int(color.Red) << ", " << int(color.Green) << ", " << int(color.Blue) << ")";
}
