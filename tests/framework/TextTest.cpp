#include "framework/Text.h"
#include "framework/MacJapanese.h"

#include <gtest/gtest.h>

namespace {
const String PrefsName = "Kalmenoの設定";
}

TEST(Text, CharactersCountMultiByteCharactersOnce)
{
    EXPECT_EQ(Len(PrefsName), 10);
    EXPECT_EQ(LenB(PrefsName), 16);
    EXPECT_EQ(Left(PrefsName, 8), "Kalmenoの");
    EXPECT_EQ(Left(PrefsName, 9), "Kalmenoの設");
    EXPECT_EQ(Left(PrefsName, 40), PrefsName);
    EXPECT_EQ(Left(PrefsName, 0), "");
    EXPECT_EQ(Left(PrefsName, -3), "");
    EXPECT_EQ(Len(""), 0);
}

TEST(Text, BytePositionsCountFromOne)
{
    EXPECT_EQ(LeftB("abcdef", 2), "ab");
    EXPECT_EQ(LeftB("ab", 5), "ab");
    EXPECT_EQ(LeftB("ab", -1), "");
    EXPECT_EQ(RightB("abcdef", 2), "ef");
    EXPECT_EQ(RightB("ab", 5), "ab");
    EXPECT_EQ(RightB("00" + Hex(10), 2), "0A");
    EXPECT_EQ(MidB("abcdef", 3), "cdef");
    EXPECT_EQ(MidB("abcdef", 1, 2), "ab");
    EXPECT_EQ(MidB("abcdef", 5, 9), "ef");
    EXPECT_EQ(MidB("abc", 4), "");
    EXPECT_EQ(MidB("abc", 0, 2), "");
    EXPECT_EQ(MidB("abc", 2, 0), "");
    // A cut through a multi-byte character keeps the bytes as they are.
    EXPECT_EQ(MidB(PrefsName, 8, 3), "の");
    EXPECT_EQ(LenB(MidB(PrefsName, 9, 1)), 1);
}

TEST(Text, AscAndChrAreCodePoints)
{
    EXPECT_EQ(Chr(28), "\x1C");
    EXPECT_EQ(Asc(Chr(31)), 31);
    EXPECT_EQ(Asc("の設"), 0x306E);
    EXPECT_EQ(Chr(0x306E), "の");
    EXPECT_EQ(Asc(Chr(0x1F600)), 0x1F600);
    EXPECT_EQ(Asc(""), 0);
    EXPECT_EQ(Chr(-1), "");
    EXPECT_EQ(Chr(0xD800), "");
    EXPECT_EQ(Chr(0).size(), 1u);
}

TEST(Text, ValReadsTheLeadingNumber)
{
    EXPECT_EQ(Val("&H1F"), 31);
    EXPECT_EQ(Val("&hff"), 255);
    EXPECT_EQ(Val("&H" + String("A0")), 160);
    EXPECT_EQ(Val("&HZZ"), 0);
    EXPECT_EQ(Val("&O17"), 15);
    EXPECT_EQ(Val("&B101"), 5);
    EXPECT_EQ(Val(" 42abc"), 42);
    EXPECT_EQ(Val("-3.5e2x"), -350);
    EXPECT_EQ(Val("+7"), 7);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("0000000042"), 42);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("inf"), 0);
}

TEST(Text, StrAndHex)
{
    EXPECT_EQ(Str(42), "42");
    EXPECT_EQ(Str(-7), "-7");
    EXPECT_EQ(Str(3.0), "3");
    EXPECT_EQ(Str(1.5), "1.5");
    EXPECT_EQ(Str(1.0 / 3.0), "0.3333333");
    EXPECT_EQ(Hex(255), "FF");
    EXPECT_EQ(Hex(0), "0");
    EXPECT_EQ(Hex(0xABC), "ABC");
    EXPECT_EQ(Hex(-1), "FFFFFFFF");
}

TEST(Text, FormatPadsAndRounds)
{
    EXPECT_EQ(Format(1, "000000"), "000001");
    EXPECT_EQ(Format(900001, "000000"), "900001");
    EXPECT_EQ(Format(1234567, "000000"), "1234567");
    EXPECT_EQ(Format(42, "0000000000"), "0000000042");
    EXPECT_EQ(Format(345, "0000000000"), "0000000345");
    EXPECT_EQ(Format(-42, "0000000000"), "-0000000042");
    EXPECT_EQ(Format(0, "#"), "");
    EXPECT_EQ(Format(0, "0"), "0");
    EXPECT_EQ(Format(1234567.891, "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(Format(3.14159, "0.0##"), "3.142");
    EXPECT_EQ(Format(2.5, "0.0##"), "2.5");
    EXPECT_EQ(Format(-0.001, "0.00"), "0.00");
    EXPECT_EQ(Format(7, "No. 000"), "No. 007");
    EXPECT_EQ(Format(0.25, ".00"), ".25");
}

TEST(Text, StrCompByteWiseOrIgnoringCase)
{
    EXPECT_EQ(StrComp("a", "b", 0), -1);
    EXPECT_EQ(StrComp("b", "a", 0), 1);
    EXPECT_EQ(StrComp("00D", "00D", 0), 0);
    EXPECT_EQ(StrComp("B", "a", 0), -1);
    EXPECT_EQ(StrComp("B", "a", 1), 1);
    EXPECT_EQ(StrComp("KLMa", "klma", 1), 0);
    EXPECT_EQ(StrComp("KLMa", "klma", 0), -1);
    EXPECT_EQ(StrComp("ab", "abc", 0), -1);
    EXPECT_EQ(StrComp("abc", "ab", 1), 1);
    // Bytes compare unsigned: a multi-byte character sorts after ASCII.
    EXPECT_EQ(StrComp("の", "z", 0), 1);
}

TEST(Text, ConvertEncodingToMacJapanese)
{
    EXPECT_EQ(ConvertEncoding(PrefsName, TextEncoding::MacJapanese), "Kalmeno\x82\xCC\x90\xDD\x92\xE8");
    EXPECT_EQ(ConvertEncoding(PrefsName, TextEncoding::UTF8), PrefsName);
    EXPECT_EQ(ConvertEncoding("a¥b\\c", TextEncoding::MacJapanese), "a\x5C"
                                                                    "b\x80"
                                                                    "c");
    // Characters without a place, and broken UTF-8, become "?" one by one.
    EXPECT_EQ(ConvertEncoding("a😀b", TextEncoding::MacJapanese), "a?b");
    EXPECT_EQ(ConvertEncoding("a\xFF"
                              "b",
                              TextEncoding::MacJapanese),
              "a?b");
    EXPECT_EQ(ConvertEncoding("", TextEncoding::MacJapanese), "");
}

TEST(Text, MacJapaneseConvertsBack)
{
    for (const String& text : {PrefsName, String("a¥b\\c"), String("ファイル名_1")}) {
        EXPECT_EQ(MacJapaneseToUtf8(Utf8ToMacJapanese(text)), text);
    }
    // 0x5C as the second byte of a double-byte character is part of it, not a yen sign.
    EXPECT_EQ(MacJapaneseToUtf8("\x83\x5C"), "ソ");
    EXPECT_EQ(MacJapaneseToUtf8("a\x82"), "a?");
}
