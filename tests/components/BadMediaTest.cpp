// Bad files of every kind laid in place of a picture, a sound or a cursor: none loads, none
// makes the load wait, none is held in memory, and the accessors keep their rules (pictures and
// cursors looked for again at every call, sounds tried once).
#include "components/media/CursorShelf.h"
#include "components/media/PictureShelf.h"
#include "components/media/SoundShelf.h"

#include "framework/MediaFile.h"
#include "framework/MouseCursor.h"
#include "framework/Picture.h"
#include "framework/ResourceFork.h"
#include "framework/qt/CursorImage.h"
#include "tests/components/ResourcesSandbox.h"
#include "tests/framework/MediaFiles.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/StandardErrorCapture.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>

namespace fs = std::filesystem;

namespace {

// A white PNG of any size, made without holding many pixels (1 bit each).
std::string WhitePng(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.fill(1);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// One kind of bad file: how it is laid at path, given the good file's bytes. A load that
// waits on a pipe hangs the test until its time runs out.
struct BadKind {
    const char* name;
    std::function<void(const fs::path& path, const std::string& good)> lay;
};

std::function<void(const fs::path&, const std::string&)> Cut(double fraction)
{
    return [fraction](const fs::path& path, const std::string& good) {
        WriteBytes(path, good.substr(0, std::size_t(double(good.size()) * fraction)));
    };
}

const BadKind BadKinds[] = {
    {"truncated at 30 %", Cut(0.30)},
    {"truncated at 60 %", Cut(0.60)},
    {"truncated at 90 %", Cut(0.90)},
    {"truncated at 99 %", Cut(0.99)},
    {"empty", [](const fs::path& path, const std::string&) { WriteBytes(path, ""); }},
    {"noise",
     [](const fs::path& path, const std::string& good) {
         std::mt19937 draw(7);
         std::string bytes(good.size(), '\0');
         for (char& byte : bytes) {
             byte = char(draw());
         }
         WriteBytes(path, bytes);
     }},
    {"larger than a medium may be",
     [](const fs::path& path, const std::string& good) {
         WriteBytes(path, good + std::string(MediaFile::MaxBytes, '\0'));
     }},
    {"a folder", [](const fs::path& path, const std::string&) { fs::create_directory(path); }},
    {"a link to a device",
     [](const fs::path& path, const std::string&) { fs::create_symlink("/dev/zero", path); }},
    {"a named pipe", [](const fs::path& path, const std::string&) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
    {"a link to a named pipe",
     [](const fs::path& path, const std::string&) {
         ASSERT_EQ(mkfifo((path.string() + ".pipe").c_str(), 0600), 0);
         fs::create_symlink(path.filename().string() + ".pipe", path);
     }},
};

// Lays the kind of bad file in place of name, and takes it away again.
class BadFile {
public:
    BadFile(ResourcesSandbox& resources, const std::string& name, const BadKind& kind)
        : itsPath(resources.Path(name)), itsGood(ReadBytes(ResourcesSandbox::Built(name)))
    {
        kind.lay(itsPath, itsGood);
    }
    // The good file in its place.
    void Mend()
    {
        fs::remove_all(itsPath);
        fs::remove(itsPath.string() + ".pipe");
        WriteBytes(itsPath, itsGood);
    }

private:
    fs::path itsPath;
    std::string itsGood;
};

std::shared_ptr<MouseCursor> CursorFromFork(Int32 id)
{
    return ResourceFork().GetCursor(id);
}

TEST(BadMedia, NoBadFileLoadsOrWaitsAndTheAccessorsKeepTheirRules)
{
    for (const BadKind& kind : BadKinds) {
        SCOPED_TRACE(kind.name);
        ResourcesSandbox resources;
        PictureShelf pictures;
        SoundShelf sounds;
        CursorShelf cursors(CursorFromFork);
        BadFile picture(resources, "BackPict.png", kind);
        BadFile sound(resources, "TileSnd.wav", kind);
        BadFile cursor(resources, "Cursor169.png", kind);

        EXPECT_EQ(pictures.Get(PictureShelf::Back), nullptr);
        EXPECT_EQ(pictures.Get(PictureShelf::Back), nullptr);
        EXPECT_EQ(sounds.Get(SoundShelf::Tile), nullptr);
        EXPECT_EQ(cursors.Get(CursorShelf::FieldId), nullptr);
        EXPECT_EQ(cursors.Get(CursorShelf::FieldId), nullptr);

        picture.Mend();
        sound.Mend();
        cursor.Mend();
        const auto back = pictures.Get(PictureShelf::Back);
        ASSERT_NE(back, nullptr) << "a picture is looked for again";
        EXPECT_EQ(back->Width(), 300);
        EXPECT_NE(cursors.Get(CursorShelf::FieldId), nullptr) << "a cursor is asked for again";
        EXPECT_EQ(sounds.Get(SoundShelf::Tile), nullptr) << "a sound is tried once";
    }
}

// The library behind the picture reader writes its errors straight to standard error, where
// the toolkit cannot pass them once only; a broken picture looked for at every tick must not
// reach it.
TEST(BadMedia, BrokenPicturesAreRefusedWithoutAWord)
{
    ResourcesSandbox resources;
    PictureShelf pictures;
    const std::string good = ReadBytes(ResourcesSandbox::Built("BackPict.png"));
    StandardErrorCapture capture;
    for (const double fraction : {0.1, 0.5, 0.9, 0.999}) {
        resources.AddBytes("BackPict.png", good.substr(0, std::size_t(double(good.size()) * fraction)));
        EXPECT_EQ(pictures.Get(PictureShelf::Back), nullptr) << fraction;
        EXPECT_EQ(pictures.Get(PictureShelf::Back), nullptr) << fraction;
    }
    std::string changed = good;
    changed[good.size() / 2] = char(changed[good.size() / 2] ^ 1);
    resources.AddBytes("BackPict.png", changed);
    EXPECT_EQ(pictures.Get(PictureShelf::Back), nullptr);
    EXPECT_EQ(capture.Text(), "");
}

TEST(BadMedia, PicturesOverAMillionPixelsAndCursorsOverTheSystemsSizeAreRefused)
{
    ResourcesSandbox resources;
    const struct {
        int width, height;
        bool picture, cursor;
    } sizes[] = {
        {1, 1, true, true},         {64, 64, true, true},       {65, 64, true, false},
        {64, 65, true, false},      {300, 300, true, false},    {1024, 1024, true, false},
        {1025, 1024, false, false}, {1024, 1025, false, false}, {20, 60000, false, false},
        {5000, 5000, false, false},
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " by " << size.height);
        resources.AddBytes("BackPict.png", WhitePng(size.width, size.height));
        resources.AddBytes("Cursor169.png", WhitePng(size.width, size.height));
        PictureShelf pictures;
        const auto picture = pictures.Get(PictureShelf::Back);
        EXPECT_EQ(picture != nullptr, size.picture);
        if (picture) {
            EXPECT_EQ(picture->Width(), size.width);
            EXPECT_EQ(picture->Height(), size.height);
        }
        const auto cursor = CursorFromFork(CursorShelf::FieldId);
        EXPECT_EQ(cursor != nullptr, size.cursor);
        if (cursor) {
            EXPECT_EQ(cursor->Image().image.size(), QSize(size.width, size.height));
            EXPECT_LE(size.width, CursorImage::MaxSide);
        }
    }
}

TEST(BadMedia, AFileIsReadUpToTheBoundAndNoFurther)
{
    ResourcesSandbox resources;
    // Bytes after a PNG's end are not part of the picture.
    const std::string png = ReadBytes(ResourcesSandbox::Built("TilePict.png"));
    const std::string cursor = ReadBytes(ResourcesSandbox::Built("Cursor169.png"));
    // A WAV may hold chunks that are not sound.
    std::string wav = MediaFiles::Wav();
    const auto padWav = [&wav](std::size_t size) {
        std::string padded = wav;
        const std::size_t chunk = size - wav.size() - 8;
        padded += "junk";
        MediaFiles::Append32(padded, std::uint32_t(chunk));
        padded += std::string(chunk, '\0');
        const std::uint32_t riff = std::uint32_t(padded.size() - 8);
        padded.replace(4, 4, std::string{char(riff), char(riff >> 8), char(riff >> 16), char(riff >> 24)});
        return padded;
    };
    for (const std::size_t size : {MediaFile::MaxBytes, MediaFile::MaxBytes + 1}) {
        SCOPED_TRACE(size);
        const bool fits = size <= MediaFile::MaxBytes;
        resources.AddBytes("TilePict.png", png + std::string(size - png.size(), '\0'));
        resources.AddBytes("Cursor169.png", cursor + std::string(size - cursor.size(), '\0'));
        resources.AddBytes("TileSnd.wav", padWav(size));
        ASSERT_EQ(fs::file_size(resources.Path("TileSnd.wav")), size);
        EXPECT_EQ(PictureShelf().Get(PictureShelf::Tile) != nullptr, fits);
        EXPECT_EQ(SoundShelf().Get(SoundShelf::Tile) != nullptr, fits);
        EXPECT_EQ(CursorFromFork(CursorShelf::FieldId) != nullptr, fits);
    }
}

} // namespace
