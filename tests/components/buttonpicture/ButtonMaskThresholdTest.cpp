// A grey hit mask is reduced to black and white once, at half brightness: a ramp of every
// grey from black to white tells exactly where a button is hit.
#include "components/buttonpicture/ButtonPicture.h"

#include "framework/Graphics.h"
#include "framework/TestSeams.h"
#include "tests/components/TestPictures.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonMaskThreshold, GreysDarkerThanHalfAreInsideTheButton)
{
    SetMouseDownOverride(false);
    std::shared_ptr<Picture> ramp = SolidPicture(256, 1, Color(255, 255, 255));
    for (Int32 grey = 0; grey < 256; ++grey) {
        const auto level = static_cast<std::uint8_t>(grey);
        ramp->Graphics()->SetPixel(grey, 0, Color(level, level, level));
    }
    ButtonPicture group;
    group.Constructor(SolidPicture(256, 1, Color(90, 90, 90)), 0, 0, 32, true);
    group.AddButton(SolidPicture(256, 1, Color(200, 0, 0)), SolidPicture(256, 1, Color(100, 0, 0)), ramp);
    group.ButtonEnable(0);
    for (Int32 grey = 0; grey < 256; ++grey) {
        EXPECT_EQ(group.MouseMove(grey, 0), grey / 255.0 < 0.5 ? 0 : -1) << "grey " << grey;
    }
    SetMouseDownOverride(std::nullopt);
}

} // namespace
