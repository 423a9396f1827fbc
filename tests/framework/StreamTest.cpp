#include "framework/FolderItem.h"
#include "framework/MemoryBlock.h"
#include "framework/TextInputStream.h"
#include "framework/TextOutputStream.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

std::shared_ptr<FolderItem> Item(const std::string& path)
{
    return std::make_shared<FolderItem>(path);
}

} // namespace

TEST(TextStreams, WriteThenReadTheSameBytes)
{
    ScratchFolder folder;
    const String data = "00" + String("D\0\xFF", 3) + std::string(200000, 'x');
    auto out = TextOutputStream::Create(Item(folder / "prefs"));
    ASSERT_TRUE(out);
    EXPECT_TRUE(out->Write("00"));
    EXPECT_TRUE(out->Write(data.substr(2)));
    EXPECT_TRUE(out->Close());
    EXPECT_FALSE(out->Close());
    auto in = TextInputStream::Open(Item(folder / "prefs"));
    ASSERT_TRUE(in);
    EXPECT_EQ(in->Read(3), "00D");
    EXPECT_EQ(in->Read(0), "");
    EXPECT_EQ(in->Read(-1), "");
    // More than one buffer at a time, and no more than asked for.
    EXPECT_EQ(in->Read(100000), data.substr(3, 100000));
    EXPECT_EQ(in->Read(1000000), data.substr(100003));
    EXPECT_EQ(in->Read(10), "");
    in->Close();
    EXPECT_EQ(in->Read(10), "");

    // Create empties an existing file.
    TextOutputStream::Create(Item(folder / "prefs"))->Close();
    EXPECT_EQ(ReadBytes(folder / "prefs"), "");
}

TEST(TextStreams, OpeningWhatIsNotThereGivesNull)
{
    ScratchFolder folder;
    EXPECT_FALSE(TextInputStream::Open(nullptr));
    EXPECT_FALSE(TextInputStream::Open(Item(folder / "missing")));
    EXPECT_FALSE(TextInputStream::Open(Item(folder.Path())));
    EXPECT_FALSE(TextOutputStream::Create(nullptr));
    EXPECT_FALSE(TextOutputStream::Create(Item(folder / "no/such/folder")));
    EXPECT_FALSE(TextOutputStream::Create(Item(folder.Path())));
}

TEST(TextStreams, FullDiskAndSizeLimitAreReportedByClose)
{
    auto full = TextOutputStream::Create(Item("/dev/full"));
    ASSERT_TRUE(full);
    full->Write("001");
    EXPECT_FALSE(full->Close());

    ScratchFolder folder;
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto out = TextOutputStream::Create(Item(folder / "big"));
    ASSERT_TRUE(out);
    rlimit limit = old;
    limit.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = out->Write(std::string(100000, 'x'));
    const bool closed = out->Close();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_FALSE(closed);
}

TEST(TextStreams, OverwriteWritesOverTheOldBytesAndCutsThemAtClose)
{
    ScratchFolder folder;
    const auto file = Item(folder.Write("prefs", "old contents"));
    const auto ino = StatOf(file->NativePath()).st_ino;
    auto out = TextOutputStream::Overwrite(file);
    ASSERT_TRUE(out);
    out->Write("new");
    EXPECT_EQ(ReadBytes(file->NativePath()), "old contents") << "nothing is cut before the new bytes are there";
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(ReadBytes(file->NativePath()), "new");
    EXPECT_EQ(StatOf(file->NativePath()).st_ino, ino);

    TextOutputStream::Overwrite(file)->Write("longer than before");
    EXPECT_EQ(ReadBytes(file->NativePath()), "longer than before") << "closed when dropped";
    TextOutputStream::Overwrite(Item(folder / "fresh"))->Write("made");
    EXPECT_EQ(ReadBytes(folder / "fresh"), "made");
    EXPECT_FALSE(TextOutputStream::Overwrite(Item(folder.Path())));

    // A write that fails part of the way cuts nothing off.
    folder.Write("prefs", std::string(5000, 'o'));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    out = TextOutputStream::Overwrite(file);
    rlimit limit = old;
    limit.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    out->Write(std::string(3000, 'n'));
    const bool closed = out->Close();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(closed);
    EXPECT_EQ(ReadBytes(file->NativePath()), std::string(1000, 'n') + std::string(4000, 'o'));
}

TEST(MemoryBlock, TypedAccessStaysInside)
{
    EXPECT_FALSE(MemoryBlock::New(-1));
    auto block = MemoryBlock::New(70);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Size(), 70);
    block->SetInt16Value(0, -2);
    block->SetInt32Value(2, 123456789);
    block->SetByte(6, 3);
    block->SetStringValue(7, "abc");
    EXPECT_EQ(block->Int16Value(0), -2);
    EXPECT_EQ(block->Int32Value(2), 123456789);
    EXPECT_EQ(block->Byte(6), 3);
    EXPECT_EQ(block->StringValue(7, 3), "abc");
    EXPECT_EQ(block->Data()[7], 'a');

    block->SetStringValue(68, "xyz");
    EXPECT_EQ(block->StringValue(68, 2), "xy");
    block->SetInt32Value(68, 7);
    block->SetByte(70, 1);
    EXPECT_EQ(block->Int32Value(68), 0);
    EXPECT_EQ(block->Byte(70), 0);
    EXPECT_EQ(block->Byte(-1), 0);
    EXPECT_EQ(block->StringValue(60, 20), "");
}
