#include <gtest/gtest.h>

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

TEST(Text, PrefixNeverSplitsATwoByteCharacter) {
    const std::string s = "aルb";  // bytes: a(1) ル(2) b(1)
    EXPECT_EQ(cp932Prefix(s, 0), "");
    EXPECT_EQ(cp932Prefix(s, 1), "a");
    EXPECT_EQ(cp932Prefix(s, 2), "a");  // only one byte of ル is in
    EXPECT_EQ(cp932Prefix(s, 3), "aル");
    EXPECT_EQ(cp932Prefix(s, 4), "aルb");
    EXPECT_EQ(cp932Prefix(s, 99), "aルb");
}

TEST(Text, Cp932RoundTripAndErrors) {
    const std::string text = "★孤島生活データ♪ver1.4　ﾍﾞｽﾄ";
    const std::string bytes = toCp932(text);
    EXPECT_EQ(bytes.substr(0, 2), "\x81\x9a");  // ★
    EXPECT_EQ(fromCp932(bytes), text);
    EXPECT_THROW(toCp932("emoji 😀"), TextError);
    EXPECT_THROW(toCp932("\xff\xfe"), TextError);      // not UTF-8
    EXPECT_THROW(fromCp932("\x81"), TextError);        // lead byte without its trail
}

}  // namespace
}  // namespace kotou
