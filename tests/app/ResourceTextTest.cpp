#include "app/ResourceText.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

const String Ideographic = "\u3000";

std::vector<String> Lines(const String& text)
{
    std::vector<String> lines;
    String line;
    for (char c : text) {
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return lines;
}

Int32 Characters(const String& text)
{
    Int32 n = 0;
    for (unsigned char c : text) {
        n += (c & 0xC0) != 0x80;
    }
    return n;
}

bool StartsWith(const String& s, const String& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

String Repeat(const String& s, int n)
{
    String r;
    while (n-- > 0) {
        r += s;
    }
    return r;
}

} // namespace

TEST(ResourceText, EveryPageHasItsLineAndCharacterCountAndCrLineEnds)
{
    struct Shape {
        Int32 lines;
        Int32 characters;
    };
    const Shape shapes[HelpPageCount] = {{3, 134}, {27, 640}, {6, 222}, {26, 404}, {3, 156}, {10, 302}};
    for (Int32 page = 1; page <= HelpPageCount; ++page) {
        const String& text = HelpPageText(page);
        SCOPED_TRACE(page);
        EXPECT_EQ(text.find('\n'), String::npos);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\r');
        EXPECT_EQ(static_cast<Int32>(Lines(text).size()), shapes[page - 1].lines);
        EXPECT_EQ(Characters(text), shapes[page - 1].characters);
    }
    EXPECT_TRUE(HelpPageText(0).empty());
    EXPECT_TRUE(HelpPageText(HelpPageCount + 1).empty());
}

TEST(ResourceText, PurposeAndOperationAreTheGivenTexts)
{
    const String& purpose = HelpPageText(1);
    EXPECT_EQ(purpose.size(), 396u);
    const auto p = Lines(purpose);
    EXPECT_EQ(p[0], "　数字の書いてある三角形のタイルを全て消してください。");
    EXPECT_EQ(p[1], "");
    EXPECT_TRUE(StartsWith(p[2], "　隣接するタイルの数字が同じか１違いであれば"));

    const String& operation = HelpPageText(2);
    EXPECT_EQ(operation.size(), 1822u);
    const auto o = Lines(operation);
    const std::set<Int32> emptyLines = {2, 4, 6, 8, 10, 13, 16, 18, 20};
    for (size_t i = 0; i < o.size(); ++i) {
        const Int32 line = static_cast<Int32>(i) + 1;
        SCOPED_TRACE(line);
        const bool flush = line == 19 || line >= 22;
        if (emptyLines.count(line)) {
            EXPECT_EQ(o[i], "");
        } else {
            EXPECT_EQ(StartsWith(o[i], Ideographic), !flush);
        }
    }
    EXPECT_EQ(o[25], "“shift”+「←」ボタン：「ゲーム」メニューの「最初へ」");
    EXPECT_EQ(o[26], "“shift”+「→」ボタン：「ゲーム」メニューの「最後へ」");
}

TEST(ResourceText, HistoryListsTheTenVersionsNewestFirst)
{
    const char* headings[] = {"2012.06.18　10.0.4", "2012.03.29　10.0.3", "2012.03.27　10.0.2（未公開）",
                              "2012.03.12　10.0.1", "2012.02.20　10.0.0", "2012.02.17　1.0.4",
                              "2006.08.25　1.0.3",  "2006.01.17　1.0.2",  "2005.07.17　1.0.1",
                              "2005.05.09　1.0.0"};
    std::vector<String> found;
    for (const String& line : Lines(HelpPageText(4))) {
        if (StartsWith(line, Ideographic)) {
            EXPECT_TRUE(StartsWith(line, Repeat(Ideographic, 5)));
            EXPECT_FALSE(StartsWith(line, Repeat(Ideographic, 6)));
        } else {
            found.push_back(line);
        }
    }
    EXPECT_EQ(found, std::vector<String>(std::begin(headings), std::end(headings)));
}

TEST(ResourceText, CommentaryTermsAndThanksKeepTheirLayout)
{
    const auto commentary = Lines(HelpPageText(3));
    EXPECT_NE(commentary[0].find("「Kalmeno」"), String::npos);
    EXPECT_EQ(commentary[1], "");
    EXPECT_NE(commentary[3].find("「最後へ」"), String::npos);
    EXPECT_EQ(commentary[4], "");
    EXPECT_TRUE(StartsWith(commentary[5], Repeat(Ideographic, 10) + "2012.6.18"));

    const auto terms = Lines(HelpPageText(5));
    EXPECT_TRUE(StartsWith(terms[0], "　「Kalmeno」"));
    EXPECT_EQ(terms[1], "");
    EXPECT_TRUE(StartsWith(terms[2], Ideographic));

    const auto thanks = Lines(HelpPageText(6));
    EXPECT_FALSE(StartsWith(thanks[0], Ideographic));
    EXPECT_EQ(thanks[1], "");
    EXPECT_EQ(thanks[8], "");
    for (int i : {2, 3, 4, 5, 6, 7, 9}) {
        EXPECT_NE(thanks[i].find(" / "), String::npos) << i;
    }
}

TEST(ResourceText, NoticeIsOneLine)
{
    EXPECT_FALSE(AboutNoticeText().empty());
    EXPECT_EQ(AboutNoticeText().find_first_of("\r\n"), String::npos);
}
