// Tests of node keys, the naming rules and the unique-name rule.
#include "tarvo/model/node_key.h"

#include <gtest/gtest.h>

#include <set>

#include "tarvo/model/display_node.h"
#include "tarvo/model/declarations.h"

namespace tarvo {
namespace {

struct NameCase {
    std::u16string name;
    bool valid;
};

class NameRules : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameRules, AcceptsOnlyValidNames) {
    EXPECT_EQ(isValidName(GetParam().name), GetParam().valid)
        << narrowLatin1(GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameRules,
    ::testing::Values(NameCase{u"Display1", true}, NameCase{u"Main Menu", true},
                      NameCase{u" x ", true}, NameCase{u"caf\u00e9", true}, // code 233
                      NameCase{u"\u00ff", true},                             // code 255
                      NameCase{u"", false}, NameCase{u"   ", false},
                      NameCase{u"a.b", false}, NameCase{u"a\"b", false}, NameCase{u"a;b", false},
                      NameCase{u"a*b", false}, NameCase{u"a(b", false}, NameCase{u"a)b", false},
                      NameCase{u"a,b", false}, NameCase{u"a/b", false},
                      NameCase{u"\u0100", false},      // code 256
                      NameCase{u"\u4e2d\u6587", false} // Chinese
                      ),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

struct UniqueCase {
    std::u16string wanted;
    std::set<std::u16string> taken;
    std::u16string expected;
};

class UniqueNames : public ::testing::TestWithParam<UniqueCase> {};

TEST_P(UniqueNames, BumpsTheTrailingNumberUntilFree) {
    const UniqueCase& c = GetParam();
    auto taken = [&](std::u16string_view n) { return c.taken.count(std::u16string(n)) != 0; };
    EXPECT_EQ(makeUniqueName(c.wanted, taken), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, UniqueNames,
    ::testing::Values(UniqueCase{u"Display1", {}, u"Display1"},
                      UniqueCase{u"Display1", {u"Display1", u"Display2"}, u"Display3"},
                      UniqueCase{u"Menu", {u"Menu"}, u"Menu1"},
                      UniqueCase{u"Copy9", {u"Copy9"}, u"Copy10"},
                      UniqueCase{u"A007", {u"A007"}, u"A8"},
                      UniqueCase{u"1", {u"1", u"2"}, u"3"},
                      // A digit run too long for a number must not overflow.
                      UniqueCase{u"N99999999999999999999999", {u"N99999999999999999999999"},
                                 u"N9999" u"10000000000000000000"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(NodeKey, IsTypeNameLineFeedNameAndOrdersByTypeThenName) {
    EXPECT_EQ(makeNodeKey(NodeType::Display, u"Main"), u"Display\nMain");
    EXPECT_EQ(makeNodeKey(NodeType::Entry, u"App"), u"Start\nApp");
    // Copy < Display whatever the names; within a type, by name.
    EXPECT_LT(makeNodeKey(NodeType::Copy, u"Z"), makeNodeKey(NodeType::Display, u"A"));
    EXPECT_LT(makeNodeKey(NodeType::Menu, u"A"), makeNodeKey(NodeType::Menu, u"B"));
    // The line feed sorts below every printable character: "Menu" < "Menu2".
    EXPECT_LT(makeNodeKey(NodeType::Menu, u"M"), makeNodeKey(NodeType::Menu, u"M2"));
    // Characters compare as unsigned 16-bit numbers.
    EXPECT_LT(makeNodeKey(NodeType::Menu, u"z"), makeNodeKey(NodeType::Menu, u"\u00e9"));
}

TEST(NodeType, WordsAndDefaultNames) {
    EXPECT_EQ(typeName(NodeType::Entry), u"Start");
    EXPECT_EQ(typeKeyword(NodeType::Entry), u"Entry");
    EXPECT_EQ(typeName(NodeType::None), u"");
    EXPECT_EQ(typeName(static_cast<NodeType>(99)), u"");
    NodeType t = NodeType::None;
    EXPECT_TRUE(typeFromKeyword(u"Entry", t));
    EXPECT_EQ(t, NodeType::Entry);
    EXPECT_FALSE(typeFromName(u"Entry", t));
    EXPECT_TRUE(typeFromName(u"Verify", t));
    EXPECT_EQ(t, NodeType::Verify);
    EXPECT_EQ(defaultName(NodeType::Verify), u"Verify1");
    EXPECT_EQ(defaultName(NodeType::Entry), u"Entry1");
    EXPECT_EQ(defaultName(NodeType::Return), u"Return1");
}

TEST(NodeNames, LimitsAreStoredWholeAndLongerNamesRefused) {
    CDisplayNode display;
    const std::u16string full(kMaxNodeNameLength, u'x');
    EXPECT_TRUE(display.setName(full));
    EXPECT_EQ(display.name(), full);
    EXPECT_FALSE(display.setName(full + u"x"));
    EXPECT_EQ(display.name(), full);

    CFieldDecl field(u"F");
    EXPECT_TRUE(field.setName(std::u16string(kMaxDeclarationNameLength, u'y')));
    EXPECT_FALSE(field.setName(std::u16string(kMaxDeclarationNameLength + 1, u'y')));

    const std::u16string longText(kMaxDescriptionLength, u'd');
    EXPECT_TRUE(display.setDescription(longText));
    EXPECT_EQ(display.description(), longText);
    EXPECT_FALSE(display.setDescription(longText + u"d"));
    EXPECT_EQ(display.description(), longText);
}

} // namespace
} // namespace tarvo
