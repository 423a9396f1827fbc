#include "framework/FileExchange.h"
#include "framework/FileType.h"
#include "framework/FolderItem.h"
#include "framework/MemoryBlock.h"
#include "framework/Text.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The record of a file, as the shadow filer builds it.
MemoryBlock Record(const FolderItem& file)
{
    MemoryBlock record(70);
    const String name = LeftB(ConvertEncoding(file.Name(), TextEncoding::MacJapanese), 63);
    record.SetInt16Value(0, file.MacVRefNum());
    record.SetInt32Value(2, file.MacDirID());
    record.SetByte(6, LenB(name));
    record.SetStringValue(7, name);
    return record;
}

MemoryBlock Record(const std::string& path)
{
    return Record(FolderItem(path));
}

} // namespace

TEST(FileExchange, SwapsTheContentsOfTwoFiles)
{
    ScratchFolder folder;
    const std::string target = folder.Write("Kalmenoの設定", "001");
    std::filesystem::create_directory(folder / "tmp");
    const std::string shadow = folder.Write("tmp/Kalmenoの設定000001", "00D");
    FolderItem(shadow).SetMacType("PREF");

    EXPECT_EQ(FSpExchangeFiles(Record(target), Record(shadow)), 0);
    EXPECT_EQ(ReadBytes(target), "00D");
    EXPECT_EQ(ReadBytes(shadow), "001");
    EXPECT_EQ(FolderItem(target).MacType(), "PREF");
    EXPECT_EQ(FolderItem(shadow).MacType(), "");
}

TEST(FileExchange, FailsCleanlyAcrossFileSystems)
{
    ScratchFolder disk;
    ScratchFolder shm("/dev/shm");
    const std::string a = disk.Write("prefs", "old");
    const std::string b = shm.Write("shadow", "new");
    EXPECT_NE(FSpExchangeFiles(Record(a), Record(b)), 0);
    EXPECT_EQ(ReadBytes(a), "old");
    EXPECT_EQ(ReadBytes(b), "new");
}

TEST(FileExchange, RefusesRecordsThatNameNoFile)
{
    ScratchFolder folder;
    const std::string a = folder.Write("a", "A");
    const std::string b = folder.Write("b", "B");
    std::filesystem::create_directory(folder / "dir");
    EXPECT_NE(FSpExchangeFiles(Record(a), Record(folder / "missing")), 0);
    EXPECT_NE(FSpExchangeFiles(Record(folder / "dir"), Record(b)), 0);

    MemoryBlock unknownFolder = Record(a);
    unknownFolder.SetInt32Value(2, 999999);
    EXPECT_NE(FSpExchangeFiles(unknownFolder, Record(b)), 0);
    MemoryBlock wrongVolume = Record(a);
    wrongVolume.SetInt16Value(0, 1);
    EXPECT_NE(FSpExchangeFiles(wrongVolume, Record(b)), 0);
    MemoryBlock noName = Record(a);
    noName.SetByte(6, 0);
    EXPECT_NE(FSpExchangeFiles(noName, Record(b)), 0);
    EXPECT_NE(FSpExchangeFiles(MemoryBlock(8), Record(b)), 0);

    // A name longer than the record holds is cut, and the cut name names no file.
    const std::string longName(70, 'n');
    const std::string c = folder.Write(longName, "C");
    EXPECT_EQ(Record(c).Byte(6), 63);
    EXPECT_NE(FSpExchangeFiles(Record(c), Record(b)), 0);
    EXPECT_EQ(ReadBytes(a), "A");
    EXPECT_EQ(ReadBytes(b), "B");
    EXPECT_EQ(ReadBytes(c), "C");
}

TEST(FileType, RegistersOnFirstConversionToText)
{
    FileType prefs{"PrefsData", "", "PREF", "KLMa"};
    EXPECT_FALSE(FileType::IsRegistered("PrefsData"));
    EXPECT_EQ(prefs.Text(), "PrefsData");
    EXPECT_TRUE(FileType::IsRegistered("PrefsData"));
}
