#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/NumberParse.h"
#include "core/TextCodec.h"
#include "resources/StringTable.h"

namespace {

TEST(NumberParse, LongestNumericPrefixInTheCConvention) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"12abc", 12}, {"  -3.5e2x", -350}, {"+0.25", 0.25}, {"abc", 0}, {"", 0},
        {"1,5", 1},    {".5", 0.5},         {"7.", 7},       {"1e", 1},  {"-", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(parseDoublePrefix(text), expected) << '"' << text << '"';
    EXPECT_EQ(parseLongPrefix("2015xyz"), 2015);
    EXPECT_EQ(parseLongPrefix(" -8.5"), -8);
    EXPECT_EQ(parseLongPrefix("x1"), 0);
    EXPECT_EQ(parseLongPrefix("99999999999999999999999"), LONG_MAX);
}

TEST(TextCodec, RoundTripsAndReplacesInvalidBytes) {
    const std::string text = "λ ( nm ) 波长 𝄞";
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
    EXPECT_EQ(utf8ToUtf16("a\xff"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16("\xe6\xb3"), u"\uFFFD\uFFFD");  // cut sequence
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(StringTable, LanguagesAndEntries) {
    EXPECT_EQ(languageIdFromSetting(0), kLangEnglish);
    EXPECT_EQ(languageIdFromSetting(1), kLangSimplifiedChinese);
    EXPECT_EQ(languageIdFromSetting(7), kLangTraditionalChinese);
    EXPECT_EQ(languageIdFromSetting(-1), kLangTraditionalChinese);
    std::set<int> ids;
    for (const StringEntry& e : allStrings()) {
        EXPECT_TRUE(ids.insert(e.id).second) << "duplicate id " << e.id;
        EXPECT_TRUE(e.en && *e.en && e.zhCN && *e.zhCN && e.zhTW && *e.zhTW) << "id " << e.id;
    }
    EXPECT_STREQ(loadString(1020, kLangSimplifiedChinese), "提示");
    EXPECT_STREQ(loadString(123456), "");
}

}  // namespace
