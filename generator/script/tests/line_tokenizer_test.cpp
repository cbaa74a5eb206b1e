#include "tarvo/script/line_tokenizer.h"

#include <gtest/gtest.h>

namespace tarvo::script {
namespace {

TEST(LineTokenizer, WordsQuotesAndNumbers) {
    LineTokenizer t("    Display \"App.My Node\"( /* 120 -80 */");
    EXPECT_EQ(t.next(delims::kWord), "Display");
    std::string name;
    ASSERT_TRUE(t.quoted(name));
    EXPECT_EQ(name, "App.My Node");
    long x = 0, y = 0;
    EXPECT_TRUE(t.number(x));
    EXPECT_TRUE(t.number(y));
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, -80);
    EXPECT_FALSE(t.number(x));
    EXPECT_TRUE(t.atEnd());
}

TEST(LineTokenizer, EmptyQuotedTextStaysEmpty) {
    LineTokenizer t("Source(LITERAL \"\"),");
    EXPECT_EQ(t.next(delims::kWord), "Source");
    EXPECT_EQ(t.next(delims::kWord), "LITERAL");
    std::string text = "unchanged";
    ASSERT_TRUE(t.quoted(text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(t.rest(), "),");
    EXPECT_FALSE(t.quoted(text));
}

TEST(LineTokenizer, UnquotedRunBeforeQuote) {
    LineTokenizer t(" Subs \"Sub2\" */");
    EXPECT_EQ(t.upToQuote(), " Subs ");
    std::string sub;
    EXPECT_TRUE(t.quoted(sub));
    EXPECT_EQ(sub, "Sub2");
}

TEST(LineTokenizer, DecimalParsing) {
    const std::pair<const char*, bool> cases[] = {{"12", true}, {"-3", true}, {"+4", true},
                                                  {"", false},  {"1a", false}, {"a", false},
                                                  {"99999999999999999999999", false}};
    for (auto [text, ok] : cases) {
        long v = 0;
        EXPECT_EQ(parseDecimal(text, v), ok) << text;
    }
}

}  // namespace
}  // namespace tarvo::script
