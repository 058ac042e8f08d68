#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "state/Text.h"

namespace kotou {
namespace {

TEST(Text, Cp932ByteCounts) {
    EXPECT_EQ(cp932Length(""), 0u);
    EXPECT_EQ(cp932Length("abc"), 3u);
    EXPECT_EQ(cp932Length("ルル"), 4u);
    EXPECT_EQ(cp932Length("【りんご】を3個入手した！"), 25u);
    EXPECT_EQ(cp932Length("ﾍﾞｽﾄ"), 4u);  // half-width katakana are one byte each
    // The rule agrees with the real conversion.
    for (const char* s : {"行動力が足りません", "得点：0点", "ﾍﾞｽﾄｶｯﾌﾟﾘﾝｸﾞ：A1"})
        EXPECT_EQ(cp932Length(s), toCp932(s).size()) << s;
}

// Widths by the UTF-8 length of the character and by the half-width range
// U+FF61..U+FF9F at both ends; bytes that are not UTF-8 count as one
// unknown two-byte character each.
TEST(Text, Cp932WidthOfEveryKindOfCharacter) {
    const struct {
        const char* text;
        size_t bytes;
    } rows[] = {
        {"\x7f", 1}, {"\xc2\x80", 2},     {"é", 2}, {"\xef\xbd\xa0", 2}, {"｡", 1},
        {"ﾟ", 1},    {"\xef\xbe\xa0", 2}, {"😀", 2}, {"\xff", 2},         {"\xe3\x81", 4},
        {"aé😀ｱ", 6},
    };
    for (const auto& r : rows) EXPECT_EQ(cp932Length(r.text), r.bytes) << r.text;
    EXPECT_EQ(cp932Prefix("😀a", 1), "");
    EXPECT_EQ(cp932Prefix("😀a", 2), "😀");
    EXPECT_EQ(cp932Prefix("éa", 3), "éa");
}

TEST(Text, PrefixNeverSplitsATwoByteCharacter) {
    const std::string s = "aルb";  // bytes: a(1) ル(2) b(1)
    EXPECT_EQ(cp932Prefix(s, 0), "");
    EXPECT_EQ(cp932Prefix(s, 1), "a");
    EXPECT_EQ(cp932Prefix(s, 2), "a");  // only one byte of ル is in
    EXPECT_EQ(cp932Prefix(s, 3), "aル");
    EXPECT_EQ(cp932Prefix(s, 4), "aルb");
    EXPECT_EQ(cp932Prefix(s, 99), "aルb");
}

TEST(Text, LinesAndBlanks) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(splitLines(""), V{});
    EXPECT_EQ(splitLines("a"), V{"a"});
    EXPECT_EQ(splitLines("a\r\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(splitLines("\r\nx\r"), (V{"", "x"}));
    EXPECT_EQ(splitLines("a\rb"), V{"a\rb"});  // a lone CR inside a line stays
    EXPECT_EQ(trimBlanks(" \t a b\t "), "a b");
    EXPECT_EQ(trimBlanks(" \t "), "");
    EXPECT_EQ(trimBlanks("\u3000x"), "\u3000x");  // a full-width space is not a blank
}

TEST(Text, Cp932RoundTripAndErrors) {
    const std::string text = "★孤島生活データ♪ver1.4　ﾍﾞｽﾄ";
    const std::string bytes = toCp932(text);
    EXPECT_EQ(bytes.substr(0, 2), "\x81\x9a");  // ★
    EXPECT_EQ(fromCp932(bytes), text);
    EXPECT_THROW(toCp932("emoji 😀"), TextError);
    EXPECT_THROW(toCp932("\xff\xfe"), TextError);  // not UTF-8
    EXPECT_THROW(fromCp932("\x81"), TextError);    // lead byte without its trail
}

}  // namespace
}  // namespace kotou
