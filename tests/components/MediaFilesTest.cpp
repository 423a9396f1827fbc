// The media the build makes: every file is there, loads through the layer, and has the sizes
// and the transparent, opaque and mask areas the game's drawing relies on.
#include "components/media/PictureShelf.h"
#include "components/media/SoundShelf.h"

#include "framework/Color.h"
#include "framework/FolderItem.h"
#include "framework/Picture.h"
#include "framework/RGBSurface.h"
#include "framework/Sound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

namespace {

const String Resources = KALMENO_TEST_RESOURCES;
constexpr Color White(255, 255, 255);

std::shared_ptr<Picture> Load(const String& name)
{
    return FolderItem(Resources + "/" + name).OpenAsPicture();
}

// A loaded picture read pixel by pixel.
class Pixels {
public:
    explicit Pixels(const String& name) : itsPicture(Load(name))
    {
        if (!itsPicture) {
            ADD_FAILURE() << name << " does not load";
            itsPicture = Picture::New(1, 1, 32);
        }
        itsSurface = itsPicture->RGBSurface();
    }
    Int32 Width() const { return itsPicture->Width(); }
    Int32 Height() const { return itsPicture->Height(); }
    Color At(Int32 x, Int32 y) const { return itsSurface->Pixel(x, y); }
    bool WhiteAt(Int32 x, Int32 y) const { return At(x, y) == White; }

private:
    std::shared_ptr<Picture> itsPicture;
    std::shared_ptr<RGBSurface> itsSurface;
};

TEST(MediaFiles, EveryPictureLoadsWithTheSizeTheDrawingNeeds)
{
    const struct {
        String name;
        Int32 width, height;
    } fixed[] = {
        {"IconPict.png", 32, 32},      {"PomavellPict.png", 32, 32},    {"BackPict.png", 300, 300},
        {"TrianglePict.png", 60, 104}, {"TriangleHiPict.png", 60, 104}, {"TilePict.png", 180, 18},
        {"EndPict.png", 100, 80},      {"StartBtnPictB.png", 60, 30},   {"UndoBtnPictB.png", 60, 30},
        {"Button0Mask.png", 60, 30},   {"Button1Mask.png", 60, 30},     {"StartBtnPictN.png", 60, 30},
        {"RetryBtnPictN.png", 60, 30}, {"UndoBtnPictN.png", 60, 30},    {"RedoBtnPictN.png", 60, 30},
        {"RetryBtnPictR.png", 60, 30}, {"RetryBtnPictR1.png", 60, 30},  {"UndoBtnPictR.png", 60, 30},
        {"RedoBtnPictR.png", 60, 30},
    };
    for (const auto& expected : fixed) {
        const std::shared_ptr<Picture> picture = Load(expected.name);
        ASSERT_NE(picture, nullptr) << expected.name;
        EXPECT_EQ(picture->Width(), expected.width) << expected.name;
        EXPECT_EQ(picture->Height(), expected.height) << expected.name;
    }
    const std::shared_ptr<Picture> badges = Load("TargetSystemPict.png");
    ASSERT_NE(badges, nullptr);
    EXPECT_GE(badges->Width(), 16);
    EXPECT_GE(badges->Height(), 40);
    for (const String name : {"CompletePict.png", "DeadEndPict.png"}) {
        const std::shared_ptr<Picture> end = Load(name);
        ASSERT_NE(end, nullptr) << name;
        EXPECT_LE(end->Width(), 300) << name << " must fit the field";
        EXPECT_LE(end->Height(), 260) << name << " must leave the buttons free";
    }
}

TEST(MediaFiles, TheAccessorsNameExactlyTheFilesTheBuildMakes)
{
    for (int id = 0; id < PictureShelf::Count; ++id) {
        const String name = PictureShelf::FileName(PictureShelf::Id(id));
        EXPECT_TRUE(FolderItem(Resources + "/" + name).Exists()) << name;
    }
    for (int id = 0; id < SoundShelf::Count; ++id) {
        const String name = SoundShelf::FileName(SoundShelf::Id(id));
        EXPECT_NE(FolderItem(Resources + "/" + name).OpenAsSound(), nullptr) << name;
    }
    EXPECT_FALSE(FolderItem(Resources + "/StartBtnPictR.png").Exists());
}

// The tile's digit glyphs are opaque squares: the face under them must be exactly their
// background, in both looks, or a seam would show round every digit.
TEST(MediaFiles, DigitsSitSeamlesslyOnBothTileLooks)
{
    const Pixels digits("TilePict.png");
    const Color face = digits.At(0, 0);
    for (const String strip : {"TrianglePict.png", "TriangleHiPict.png"}) {
        const Pixels triangles(strip);
        const struct {
            Int32 top;
        } boxes[] = {{8}, {52 + 26}}; // down-pointing frame at y 0, up-pointing at y 52
        for (const auto& box : boxes) {
            for (Int32 y = box.top; y < box.top + 18; ++y) {
                for (Int32 x = 21; x < 39; ++x) {
                    ASSERT_EQ(triangles.At(x, y), face) << strip << " at " << x << "," << y;
                }
            }
        }
        // The frames' corners outside the triangles are transparent white.
        EXPECT_TRUE(triangles.WhiteAt(1, 50)) << strip;
        EXPECT_TRUE(triangles.WhiteAt(58, 50)) << strip;
        EXPECT_TRUE(triangles.WhiteAt(1, 53)) << strip;
        EXPECT_TRUE(triangles.WhiteAt(58, 53)) << strip;
    }
    const Pixels normal("TrianglePict.png");
    const Pixels highlighted("TriangleHiPict.png");
    EXPECT_NE(normal.At(30, 4), highlighted.At(30, 4)) << "the highlight shows at the edge";
}

TEST(MediaFiles, TenDistinctDigitGlyphsWithoutPureWhite)
{
    const Pixels digits("TilePict.png");
    const Color face = digits.At(0, 0);
    std::set<std::vector<uint32_t>> glyphs;
    for (Int32 v = 0; v <= 9; ++v) {
        std::vector<uint32_t> glyph;
        int ink = 0;
        for (Int32 y = 0; y < 18; ++y) {
            for (Int32 x = v * 18; x < v * 18 + 18; ++x) {
                const Color c = digits.At(x, y);
                glyph.push_back(c.RGBValue());
                ink += c == face ? 0 : 1;
                EXPECT_NE(c, White);
            }
        }
        EXPECT_GT(ink, 20) << "digit " << v;
        EXPECT_EQ(digits.At(v * 18, 0), face) << "each glyph square starts on the face";
        glyphs.insert(glyph);
    }
    EXPECT_EQ(glyphs.size(), 10u);
}

struct ButtonGroup {
    String base, overlays[4];
    Int32 left, top;
};
const ButtonGroup Groups[] = {
    {"StartBtnPictB.png",
     {"StartBtnPictN.png", "RetryBtnPictR.png", "RetryBtnPictN.png", "RetryBtnPictR1.png"},
     8,
     262},
    {"UndoBtnPictB.png",
     {"UndoBtnPictN.png", "UndoBtnPictR.png", "RedoBtnPictN.png", "RedoBtnPictR.png"},
     232,
     262},
};

// Hit masks: dark inside their own key, light elsewhere, and the two keys apart.
TEST(MediaFiles, MasksAreDarkOverTheirOwnKeyOnly)
{
    const Pixels masks[] = {Pixels("Button0Mask.png"), Pixels("Button1Mask.png")};
    const Int32 keyCentreX[] = {15, 45};
    for (int key = 0; key < 2; ++key) {
        EXPECT_LT(masks[key].At(keyCentreX[key], 15).Value(), 0.5) << key;
        EXPECT_GE(masks[key].At(keyCentreX[1 - key], 15).Value(), 0.5) << key;
        EXPECT_GE(masks[key].At(30, 15).Value(), 0.5) << "the gap between the keys hits nothing";
        EXPECT_GE(masks[key].At(0, 0).Value(), 0.5);
    }
    for (Int32 y = 0; y < 30; ++y) {
        for (Int32 x = 0; x < 60; ++x) {
            EXPECT_FALSE(masks[0].At(x, y).Value() < 0.5 && masks[1].At(x, y).Value() < 0.5) << x << "," << y;
        }
    }
}

// Overlays paint only inside their own key's mask and are opaque over all of it (white there
// would let the disabled base show through); the base matches the field it covers.
TEST(MediaFiles, ButtonOverlaysCoverTheirKeyAndNothingElse)
{
    const Pixels back("BackPict.png");
    const Pixels masks[] = {Pixels("Button0Mask.png"), Pixels("Button1Mask.png")};
    for (const ButtonGroup& group : Groups) {
        const Pixels base(group.base);
        for (int i = 0; i < 4; ++i) {
            const Pixels overlay(group.overlays[i]);
            const Pixels& mask = masks[i / 2];
            int painted = 0;
            for (Int32 y = 0; y < 30; ++y) {
                for (Int32 x = 0; x < 60; ++x) {
                    const double inside = mask.At(x, y).Value();
                    if (!overlay.WhiteAt(x, y)) {
                        ++painted;
                        ASSERT_LT(inside, 1.0)
                            << group.overlays[i] << " paints outside its key at " << x << "," << y;
                    } else {
                        ASSERT_GE(inside, 0.5)
                            << group.overlays[i] << " is transparent on its key at " << x << "," << y;
                    }
                }
            }
            EXPECT_GT(painted, 500) << group.overlays[i];
        }
        for (Int32 y = 0; y < 30; ++y) {
            for (Int32 x = 0; x < 60; ++x) {
                if (masks[0].WhiteAt(x, y) && masks[1].WhiteAt(x, y)) {
                    ASSERT_EQ(base.At(x, y), back.At(group.left + x, group.top + y))
                        << group.base << " at " << x << "," << y;
                }
            }
        }
    }
    // Each face differs from the others: normal and pushed, start and retry, undo and redo.
    std::set<std::vector<uint32_t>> faces;
    for (const ButtonGroup& group : Groups) {
        for (const String& name : group.overlays) {
            const Pixels face(name);
            std::vector<uint32_t> pixels;
            for (Int32 y = 0; y < 30; ++y) {
                for (Int32 x = 0; x < 60; ++x) {
                    pixels.push_back(face.At(x, y).RGBValue());
                }
            }
            faces.insert(pixels);
        }
    }
    EXPECT_EQ(faces.size(), 8u);
}

// Rows of 20 lines; rows 2 (dead end) and 3 (aborted) are drawn at (100, 260) of the field.
TEST(MediaFiles, EndBannersBlendIntoTheFieldAndDiffer)
{
    const Pixels back("BackPict.png");
    const Pixels banners("EndPict.png");
    auto row = [&](Int32 r) {
        std::vector<uint32_t> pixels;
        for (Int32 y = r * 20; y < r * 20 + 20; ++y) {
            for (Int32 x = 0; x < 100; ++x) {
                pixels.push_back(banners.At(x, y).RGBValue());
                EXPECT_NE(banners.At(x, y), White);
            }
        }
        return pixels;
    };
    EXPECT_NE(row(2), row(3));
    EXPECT_NE(row(2), row(0));
    EXPECT_NE(row(3), row(0));
    for (Int32 r : {2, 3}) {
        EXPECT_EQ(banners.At(0, r * 20), back.At(100, 260));
        EXPECT_EQ(banners.At(99, r * 20 + 19), back.At(199, 279));
    }
}

// The end pictures fade in with their pure white left out: white all round, solid inside.
TEST(MediaFiles, EndPicturesAreSolidShapesOnWhite)
{
    for (const String name : {"CompletePict.png", "DeadEndPict.png"}) {
        const Pixels end(name);
        const Int32 w = end.Width(), h = end.Height();
        EXPECT_TRUE(end.WhiteAt(0, 0) && end.WhiteAt(w - 1, 0) && end.WhiteAt(0, h - 1) &&
                    end.WhiteAt(w - 1, h - 1))
            << name;
        for (Int32 y : {h / 4, h / 2, 3 * h / 4}) {
            Int32 first = 0, last = w - 1;
            while (first < w && end.WhiteAt(first, y)) {
                ++first;
            }
            while (last > first && end.WhiteAt(last, y)) {
                --last;
            }
            EXPECT_GT(last - first, w / 2) << name << " row " << y;
            for (Int32 x = first; x <= last; ++x) {
                ASSERT_FALSE(end.WhiteAt(x, y)) << name << " has a hole at " << x << "," << y;
            }
        }
    }
}

TEST(MediaFiles, TheAboutWindowPicturesShowSomething)
{
    const Pixels badges("TargetSystemPict.png");
    std::set<uint32_t> badgeColours;
    for (Int32 y = 32; y < 40; ++y) {
        for (Int32 x = 0; x < 16; ++x) {
            badgeColours.insert(badges.At(x, y).RGBValue());
        }
    }
    EXPECT_GE(badgeColours.size(), 3u) << "the badge in rows 32 to 39 has a face and lettering";

    const Pixels icon("IconPict.png");
    const Pixels logo("PomavellPict.png");
    EXPECT_NE(icon.At(16, 16), logo.At(16, 16));
    EXPECT_NE(icon.At(16, 16), White);
    EXPECT_NE(logo.At(16, 24), White);
}

// 16-bit PCM samples of a mono WAV file, empty when the file is not one.
struct Wav {
    std::vector<int16_t> samples;
    uint32_t rate = 0;
};

uint32_t LittleEndian(const std::string& bytes, size_t at, int count)
{
    uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i) {
        v = (v << 8) | uint8_t(bytes[at + i]);
    }
    return v;
}

Wav ReadWav(const String& name)
{
    std::ifstream in(Resources + "/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Wav wav;
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 ||
        LittleEndian(bytes, 20, 2) != 1 || LittleEndian(bytes, 22, 2) != 1 || LittleEndian(bytes, 34, 2) != 16 ||
        bytes.compare(36, 4, "data") != 0) {
        return wav;
    }
    const uint32_t size = LittleEndian(bytes, 40, 4);
    if (44 + size > bytes.size()) {
        return wav;
    }
    wav.rate = LittleEndian(bytes, 24, 4);
    for (size_t at = 44; at + 1 < 44 + size; at += 2) {
        wav.samples.push_back(int16_t(LittleEndian(bytes, at, 2)));
    }
    return wav;
}

TEST(MediaFiles, SoundsAreShortCleanAndNotClipped)
{
    for (int id = 0; id < SoundShelf::Count; ++id) {
        const String name = SoundShelf::FileName(SoundShelf::Id(id));
        const Wav wav = ReadWav(name);
        ASSERT_EQ(wav.rate, 44100u) << name << " is mono 16-bit PCM at 44.1 kHz";
        const double seconds = double(wav.samples.size()) / wav.rate;
        int peak = 0;
        for (int16_t s : wav.samples) {
            peak = std::max(peak, std::abs(int(s)));
        }
        if (id == SoundShelf::Silence) {
            EXPECT_EQ(peak, 0) << name;
            EXPECT_LE(seconds, 0.5) << name;
            continue;
        }
        EXPECT_GE(seconds, 0.05) << name;
        EXPECT_LE(seconds, 2.0) << name;
        EXPECT_LT(peak, 0.9 * 32767) << name << " is clipped or too loud";
        EXPECT_GT(peak, 0.2 * 32767) << name << " is too quiet";
        for (size_t i = 0; i < 32; ++i) {
            EXPECT_LT(std::abs(int(wav.samples[i])), 330) << name << " clicks at its start";
            EXPECT_LT(std::abs(int(wav.samples[wav.samples.size() - 1 - i])), 330) << name << " clicks at its end";
        }
    }
}

} // namespace
