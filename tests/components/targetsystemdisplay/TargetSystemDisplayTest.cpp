#include "components/targetsystemdisplay/TargetSystemDisplay.h"

#include "components/media/Pictures.h"
#include "framework/Graphics.h"
#include "framework/TestSeams.h"
#include "tests/components/TestPictures.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/UiTest.h"

#include <QImage>

namespace {

const Color marker(1, 2, 3);

// A resources folder of this test's own, empty until a badge picture is written into it.
class BadgeFolder {
public:
    BadgeFolder() { SetResourcesFolderOverride(itsFolder.Path()); }
    ~BadgeFolder() { SetResourcesFolderOverride(std::nullopt); }

    // A 20 by 48 picture in which every pixel has a colour of its own.
    void WriteBadge() const
    {
        QImage image(20, 48, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                image.setPixel(x, y, qRgb(x * 12, y * 5, 255 - y * 5));
            }
        }
        ASSERT_TRUE(image.save(QString::fromStdString(itsFolder / "TargetSystemPict.png")));
    }

private:
    ScratchFolder itsFolder;
};

// Paints the display onto a 30 by 50 picture of the marker colour.
std::shared_ptr<Picture> PaintedOnto(TargetSystemDisplay& display)
{
    std::shared_ptr<Picture> onto = SolidPicture(30, 50, marker);
    display.Event_Paint(*onto->Graphics());
    return onto;
}

class TargetSystemDisplayTest : public UiTest {
protected:
    BadgeFolder folder;
};

// The picture accessor keeps a loaded picture for the run, so this case can only be seen
// before any badge was loaded in this process (the test runner gives each test its own).
TEST_F(TargetSystemDisplayTest, WithoutItsPictureTheDisplayDrawsNothing)
{
    if (TargetSystemPict()) {
        GTEST_SKIP() << "a badge picture was loaded earlier in this process";
    }
    TargetSystemDisplay display;
    std::shared_ptr<Picture> onto = PaintedOnto(display);
    for (Int32 y = 0; y < 50; ++y) {
        for (Int32 x = 0; x < 30; ++x) {
            ASSERT_EQ(PixelOf(*onto, x, y), marker) << x << "," << y;
        }
    }

    // The badge appears once the file is there.
    folder.WriteBadge();
    EXPECT_EQ(PixelOf(*PaintedOnto(display), 0, 0), PixelOf(*TargetSystemPict(), 0, 32));
}

TEST_F(TargetSystemDisplayTest, ItPaintsExactlyRows32To39OfItsPictureAtTheTopLeft)
{
    folder.WriteBadge();
    const std::shared_ptr<Picture> badge = TargetSystemPict();
    ASSERT_TRUE(badge);
    TargetSystemDisplay display;
    std::shared_ptr<Picture> onto = PaintedOnto(display);
    for (Int32 y = 0; y < 50; ++y) {
        for (Int32 x = 0; x < 30; ++x) {
            const Color expected = x < 16 && y < 8 ? PixelOf(*badge, x, y + 32) : marker;
            ASSERT_EQ(PixelOf(*onto, x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(display.VersionInfo(), "2011-12-22,1");
}

TEST_F(TargetSystemDisplayTest, OnAWindowTheControlShowsTheBadgeAndOnlyTheBadge)
{
    folder.WriteBadge();
    const std::shared_ptr<Picture> badge = TargetSystemPict();
    ASSERT_TRUE(badge);
    const auto window = NewRecordingWindow({.Width = 240, .Height = 60});
    auto badgeSized = std::make_shared<TargetSystemDisplay>();
    auto larger = std::make_shared<TargetSystemDisplay>();
    window->AddControl("TheTargetSystemDisplay", badgeSized);
    window->AddControl("Larger", larger);
    badgeSized->SetProperties({.Control = {.Left = 180, .Top = 3, .Width = 16, .Height = 8}});
    larger->SetProperties({.Control = {.Left = 10, .Top = 10, .Width = 40, .Height = 30}});
    bool painted = false;
    badgeSized->Paint.Attach([&](Canvas&, Graphics&) { painted = true; });
    ProcessEvents();

    const QImage shown = ControlAccess::Widget(*badgeSized)->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(16, 8));
    larger->Refresh(true); // the rest of the control shows the erased background
    const QImage inLarger = ControlAccess::Widget(*larger)->grab().toImage();
    const QRgb background = inLarger.pixel(39, 29);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool onBadge = x < 16 && y < 8;
            const QRgb expected = onBadge ? PixelOf(*badge, x, y + 32).RGBValue() | 0xFF000000u : background;
            ASSERT_EQ(inLarger.pixel(x, y), expected) << x << "," << y;
            if (onBadge) {
                ASSERT_EQ(shown.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
    EXPECT_NE(background, PixelOf(*badge, 15, 39).RGBValue() | 0xFF000000u);
    EXPECT_FALSE(painted) << "the display handles Paint itself";
}

} // namespace
