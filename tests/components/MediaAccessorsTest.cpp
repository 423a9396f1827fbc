// The media accessors' caching rules, on a resources folder the tests fill and empty.
#include "components/media/CursorShelf.h"
#include "components/media/Media.h"
#include "components/media/PictureShelf.h"
#include "components/media/SoundShelf.h"

#include "framework/Application.h"
#include "framework/Color.h"
#include "framework/MouseCursor.h"
#include "framework/Picture.h"
#include "framework/RGBSurface.h"
#include "framework/ResourceFork.h"
#include "framework/Sound.h"
#include "framework/TestSeams.h"
#include "framework/qt/CursorImage.h"
#include "tests/components/ResourcesSandbox.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path BuiltResources = KALMENO_TEST_RESOURCES;

// The file as read by the toolkit itself, by path.
QImage FileImage(const std::string& name)
{
    return QImage(QString::fromStdString((BuiltResources / name).string()));
}

bool SamePixels(Picture& picture, const QImage& file)
{
    if (file.isNull() || picture.Width() != file.width() || picture.Height() != file.height()) {
        return false;
    }
    const std::shared_ptr<RGBSurface> surface = picture.RGBSurface();
    const QImage rgb = file.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            if (surface->Pixel(x, y) != Color(qRed(pixel), qGreen(pixel), qBlue(pixel))) {
                return false;
            }
        }
    }
    return true;
}

// Each accessor against the file it is named after (the pushed start and retry faces against
// the two retry files): the picture matches that file pixel for pixel and no other file of the
// set, the sound was opened from that file, the cursor holds that file's image.
TEST(MediaAccessors, EachGivesThePictureSoundOrCursorOfItsOwnFile)
{
    BuiltResourcesFolder resources;
    const std::vector<std::pair<std::function<std::shared_ptr<Picture>()>, std::string>> pictures = {
        {IconPict, "IconPict.png"},
        {PomavellPict, "PomavellPict.png"},
        {TargetSystemPict, "TargetSystemPict.png"},
        {BackPict, "BackPict.png"},
        {TrianglePict, "TrianglePict.png"},
        {TriangleHiPict, "TriangleHiPict.png"},
        {TilePict, "TilePict.png"},
        {EndPict, "EndPict.png"},
        {StartBtnPictB, "StartBtnPictB.png"},
        {UndoBtnPictB, "UndoBtnPictB.png"},
        {Button0Mask, "Button0Mask.png"},
        {Button1Mask, "Button1Mask.png"},
        {StartBtnPictN, "StartBtnPictN.png"},
        {RetryBtnPictN, "RetryBtnPictN.png"},
        {UndoBtnPictN, "UndoBtnPictN.png"},
        {RedoBtnPictN, "RedoBtnPictN.png"},
        {StartBtnPictR, "RetryBtnPictR.png"},
        {RetryBtnPictR, "RetryBtnPictR1.png"},
        {UndoBtnPictR, "UndoBtnPictR.png"},
        {RedoBtnPictR, "RedoBtnPictR.png"},
        {CompletePict, "CompletePict.png"},
        {DeadEndPict, "DeadEndPict.png"},
    };
    for (const auto& [accessor, file] : pictures) {
        const std::shared_ptr<Picture> picture = accessor();
        ASSERT_NE(picture, nullptr) << file;
        ASSERT_FALSE(FileImage(file).hasAlphaChannel()) << file << ": the media are opaque";
        EXPECT_TRUE(SamePixels(*picture, FileImage(file))) << file;
        for (const auto& other : pictures) {
            if (other.second != file) {
                EXPECT_FALSE(SamePixels(*picture, FileImage(other.second)))
                    << file << " looks like " << other.second;
            }
        }
    }

    const std::pair<std::function<std::shared_ptr<Sound>()>, std::string> sounds[] = {
        {BeepSnd, "BeepSnd.wav"},       {ClickSnd, "ClickSnd.wav"},     {CompleteSnd, "CompleteSnd.wav"},
        {DeadEndSnd, "DeadEndSnd.wav"}, {SilenceSnd, "SilenceSnd.wav"}, {SoundVolSnd, "SoundVolSnd.wav"},
        {StartSnd, "StartSnd.wav"},     {StepSnd, "StepSnd.wav"},       {TileSnd, "TileSnd.wav"},
    };
    for (const auto& [accessor, file] : sounds) {
        const std::shared_ptr<Sound> sound = accessor();
        ASSERT_NE(sound, nullptr) << file;
        std::error_code error;
        EXPECT_TRUE(fs::equivalent(SoundSourceFile(*sound), BuiltResources / file, error)) << file;
    }

    RuntimeRegisterAppObject(std::make_shared<Application>());
    const std::pair<std::function<std::shared_ptr<MouseCursor>()>, std::string> cursors[] = {
        {ButtonCursor, "Cursor168.png"}, {FieldCursor, "Cursor169.png"}, {SelectCursor, "Cursor170.png"}};
    for (const auto& [accessor, file] : cursors) {
        const std::shared_ptr<MouseCursor> cursor = accessor();
        ASSERT_NE(cursor, nullptr) << file;
        EXPECT_EQ(cursor->Image().image, FileImage(file)) << file;
    }
    RuntimeRegisterAppObject(nullptr);
}

TEST(SoundShelf, AFailedLoadStaysNullForTheRunEvenWhenTheFileTurnsUp)
{
    ResourcesSandbox resources;
    SoundShelf shelf;
    EXPECT_EQ(shelf.Get(SoundShelf::Tile), nullptr);
    resources.AddBuilt("TileSnd.wav");
    EXPECT_EQ(shelf.Get(SoundShelf::Tile), nullptr);
    EXPECT_EQ(shelf.Get(SoundShelf::Tile), nullptr);

    // Each sound has its own attempt: one that was never asked for still loads later.
    resources.AddBuilt("ClickSnd.wav");
    EXPECT_NE(shelf.Get(SoundShelf::Click), nullptr);
}

TEST(SoundShelf, GarbageOrNoResourcesFolderGiveNullWithoutASecondTry)
{
    ResourcesSandbox resources;
    resources.AddBytes("StepSnd.wav", "RIFF\x10\0\0\0WAVEgarbage, not a sound");
    SoundShelf shelf;
    EXPECT_EQ(shelf.Get(SoundShelf::Step), nullptr);

    SetResourcesFolderOverride("/nonexistent/kalmeno/Resources");
    EXPECT_EQ(shelf.Get(SoundShelf::Start), nullptr);
    SetResourcesFolderOverride(BuiltResources.string());
    EXPECT_EQ(shelf.Get(SoundShelf::Start), nullptr);
}

TEST(SoundShelf, ALoadedSoundIsSharedUntilReleased)
{
    BuiltResourcesFolder resources;
    SoundShelf shelf;
    const std::shared_ptr<Sound> first = shelf.Get(SoundShelf::Start);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(shelf.Get(SoundShelf::Start), first);

    std::weak_ptr<Sound> held = first;
    shelf.Release();
    EXPECT_EQ(shelf.Get(SoundShelf::Start), nullptr);
    EXPECT_EQ(held.use_count(), 1) << "only the test's own reference is left";
}

TEST(SoundAccessors, EachReturnsItsOwnSoundEveryTimeUntilTheMediaAreReleased)
{
    BuiltResourcesFolder resources;
    std::set<Sound*> distinct;
    for (auto accessor :
         {BeepSnd, ClickSnd, CompleteSnd, DeadEndSnd, SilenceSnd, SoundVolSnd, StartSnd, StepSnd, TileSnd}) {
        const std::shared_ptr<Sound> sound = accessor();
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(accessor(), sound);
        distinct.insert(sound.get());
    }
    EXPECT_EQ(distinct.size(), 9u);

    ReleaseMedia();
    EXPECT_EQ(TileSnd(), nullptr);
    EXPECT_EQ(SilenceSnd(), nullptr);
}

TEST(PictureShelf, AMissingPictureIsLookedForAgainThenKept)
{
    ResourcesSandbox resources;
    PictureShelf shelf;
    EXPECT_EQ(shelf.Get(PictureShelf::Back), nullptr);
    EXPECT_EQ(shelf.Get(PictureShelf::Back), nullptr);

    resources.AddPicture("BackPict.png", 30, 20);
    const std::shared_ptr<Picture> loaded = shelf.Get(PictureShelf::Back);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Width(), 30);

    // Once loaded, the file is not read again.
    resources.Remove("BackPict.png");
    resources.AddPicture("BackPict.png", 10, 10);
    EXPECT_EQ(shelf.Get(PictureShelf::Back), loaded);
    EXPECT_EQ(loaded->Width(), 30);
}

TEST(PictureShelf, AGarbageFileGivesNullUntilAGoodOneReplacesIt)
{
    ResourcesSandbox resources;
    resources.AddBytes("TilePict.png", "\x89PNG\r\n\x1a\n truncated");
    PictureShelf shelf;
    EXPECT_EQ(shelf.Get(PictureShelf::Tile), nullptr);
    resources.Remove("TilePict.png");
    resources.AddPicture("TilePict.png", 180, 18);
    ASSERT_NE(shelf.Get(PictureShelf::Tile), nullptr);
    EXPECT_EQ(shelf.Get(PictureShelf::Tile)->Width(), 180);
}

TEST(PictureShelf, ThePushedStartAndRetryFacesReadTheRetryFiles)
{
    ResourcesSandbox resources;
    resources.AddPicture("StartBtnPictR.png", 9, 9);
    resources.AddPicture("RetryBtnPictR.png", 7, 3);
    PictureShelf shelf;

    const std::shared_ptr<Picture> start = shelf.Get(PictureShelf::StartBtnR);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->Width(), 7);
    EXPECT_EQ(start->Transparent(), 1);
    EXPECT_EQ(shelf.Get(PictureShelf::RetryBtnR), nullptr) << "RetryBtnPictR1.png is not there yet";

    resources.AddPicture("RetryBtnPictR1.png", 5, 2);
    const std::shared_ptr<Picture> retry = shelf.Get(PictureShelf::RetryBtnR);
    ASSERT_NE(retry, nullptr);
    EXPECT_EQ(retry->Width(), 5);
    EXPECT_EQ(retry->Transparent(), 1);
}

TEST(PictureAccessors, ExactlyTheTrianglesAndTheButtonOverlaysAreTransparent)
{
    BuiltResourcesFolder resources;
    const std::set<std::shared_ptr<Picture>> transparent = {
        TrianglePict(), TriangleHiPict(), StartBtnPictN(), RetryBtnPictN(), UndoBtnPictN(),
        RedoBtnPictN(), StartBtnPictR(),  RetryBtnPictR(), UndoBtnPictR(),  RedoBtnPictR(),
    };
    const std::shared_ptr<Picture> all[] = {
        IconPict(),      PomavellPict(),  TargetSystemPict(), BackPict(),     TrianglePict(),  TriangleHiPict(),
        TilePict(),      EndPict(),       StartBtnPictB(),    UndoBtnPictB(), Button0Mask(),   Button1Mask(),
        StartBtnPictN(), RetryBtnPictN(), UndoBtnPictN(),     RedoBtnPictN(), StartBtnPictR(), RetryBtnPictR(),
        UndoBtnPictR(),  RedoBtnPictR(),  CompletePict(),     DeadEndPict(),
    };
    std::set<Picture*> distinct;
    for (const auto& picture : all) {
        ASSERT_NE(picture, nullptr);
        distinct.insert(picture.get());
        EXPECT_EQ(picture->Transparent(), transparent.count(picture) ? 1 : 0);
    }
    EXPECT_EQ(distinct.size(), 22u);
    EXPECT_EQ(transparent.size(), 10u);
    EXPECT_EQ(BackPict(), BackPict());
}

// A cursor source that counts its calls and has the cursors it was given.
struct FakeCursorSource {
    std::map<Int32, std::shared_ptr<MouseCursor>> cursors;
    int calls = 0;

    CursorShelf::Source Source()
    {
        return [this](Int32 id) {
            ++calls;
            return cursors.count(id) ? cursors[id] : nullptr;
        };
    }
};

std::shared_ptr<MouseCursor> SomeCursor()
{
    auto image = std::make_unique<CursorImage>();
    image->image = QImage(32, 32, QImage::Format_ARGB32);
    return std::make_shared<MouseCursor>(std::move(image));
}

TEST(CursorShelf, AMissingCursorIsAskedForAgainAndAFoundOneIsKept)
{
    FakeCursorSource source;
    CursorShelf shelf(source.Source());
    EXPECT_EQ(shelf.Get(CursorShelf::FieldId), nullptr);
    EXPECT_EQ(shelf.Get(CursorShelf::FieldId), nullptr);
    EXPECT_EQ(source.calls, 2);

    source.cursors[CursorShelf::FieldId] = SomeCursor();
    const std::shared_ptr<MouseCursor> found = shelf.Get(CursorShelf::FieldId);
    EXPECT_EQ(found, source.cursors[CursorShelf::FieldId]);
    source.cursors.clear();
    EXPECT_EQ(shelf.Get(CursorShelf::FieldId), found);
    EXPECT_EQ(source.calls, 3);

    shelf.Release();
    EXPECT_EQ(shelf.Get(CursorShelf::FieldId), nullptr);
    EXPECT_EQ(source.calls, 4);
}

TEST(CursorShelf, TheThreeNumbersHaveTheirOwnSlots)
{
    FakeCursorSource source;
    for (Int32 id : {CursorShelf::ButtonId, CursorShelf::FieldId, CursorShelf::SelectId}) {
        source.cursors[id] = SomeCursor();
    }
    CursorShelf shelf(source.Source());
    EXPECT_EQ(shelf.Get(168), source.cursors[168]);
    EXPECT_EQ(shelf.Get(169), source.cursors[169]);
    EXPECT_EQ(shelf.Get(170), source.cursors[170]);
}

TEST(CursorShelf, TheGamesCursorsComeFromTheResourceForkWithTheirHotspots)
{
    BuiltResourcesFolder resources;
    ResourceFork fork;
    CursorShelf shelf([&fork](Int32 id) { return fork.GetCursor(id); });
    const struct {
        Int32 id;
        QPoint hotSpot;
    } expected[] = {{168, {12, 2}}, {169, {2, 2}}, {170, {2, 2}}};
    for (const auto& cursor : expected) {
        const std::shared_ptr<MouseCursor> loaded = shelf.Get(cursor.id);
        ASSERT_NE(loaded, nullptr) << cursor.id;
        const CursorImage& image = loaded->Image();
        EXPECT_EQ(image.image.size(), QSize(32, 32));
        EXPECT_EQ(image.hotSpot, cursor.hotSpot) << cursor.id;
        EXPECT_GT(qAlpha(image.image.pixel(image.hotSpot)), 0) << "the hotspot lies on the drawn shape";
    }
}

} // namespace
