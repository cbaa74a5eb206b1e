#include "tarvo/script/ansi_codec.h"

#include <gtest/gtest.h>

namespace tarvo::script {
namespace {

TEST(AnsiCodec, EveryByteReadsAndWritesBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::u16string wide = ansiToWide(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_TRUE(isAnsiRepresentable(wide));
    EXPECT_EQ(wideToAnsi(wide), all);
}

TEST(AnsiCodec, HighControlRangeUsesTheCodePage) {
    struct Case {
        unsigned char byte;
        char16_t wide;
    };
    const Case cases[] = {{0x80, u'\u20AC'}, {0x85, u'\u2026'}, {0x8A, u'\u0160'},
                          {0x93, u'\u201C'}, {0x9F, u'\u0178'}, {0xE9, u'\u00E9'},
                          {0x41, u'A'}};
    for (const auto& c : cases) {
        EXPECT_EQ(ansiToWide(c.byte), c.wide) << int(c.byte);
        EXPECT_EQ(wideToAnsi(std::u16string(1, c.wide)), std::string(1, char(c.byte)));
    }
}

TEST(AnsiCodec, CharactersOutsideTheCodePageAreReported) {
    for (std::u16string text : {u"\u4E2D", u"ab\u0100", u"\u0080", u"\u20AD"}) {
        EXPECT_FALSE(isAnsiRepresentable(text));
        EXPECT_EQ(wideToAnsi(text).back(), '?');
    }
}

}  // namespace
}  // namespace tarvo::script
