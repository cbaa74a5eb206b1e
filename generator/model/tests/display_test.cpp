// Tests of the display character set, display rows and the screen geometry.
#include <gtest/gtest.h>

#include "tarvo/model/app_settings.h"
#include "tarvo/model/display_charset.h"
#include "tarvo/model/display_node.h"
#include "tarvo/model/menu_node.h"

namespace tarvo {
namespace {

struct GeometryCase {
    std::u16string language;
    std::uint8_t model;
    int rows;
    int columns;
};

class Geometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(Geometry, RowsAndColumnsByLanguageAndModel) {
    const GeometryCase& c = GetParam();
    const ScreenGeometry g = screenGeometry(c.language, c.model);
    EXPECT_EQ(g.rows, c.rows);
    EXPECT_EQ(g.columns, c.columns);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Geometry,
    ::testing::Values(GeometryCase{u"Wst12", 0, 4, 12}, GeometryCase{u"Wst12", 1, 5, 12},
                      GeometryCase{u"Wst12", 255, 4, 12}, GeometryCase{u"Wst8", 0, 6, 16},
                      GeometryCase{u"Wst8", 1, 8, 16}, GeometryCase{u"Wst8", 2, 4, 16},
                      GeometryCase{u"Wst8", 255, 8, 16}, GeometryCase{u"Chs", 0, 3, 8},
                      GeometryCase{u"Cht", 1, 4, 8}, GeometryCase{u"Cht", 2, 4, 12},
                      GeometryCase{u"Xyz", 0, 4, 12}, GeometryCase{u"", 1, 4, 12}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(AppSettings, DefaultsAndTextLimits) {
    AppSettings settings;
    EXPECT_EQ(settings.promptLanguage, u"Wst8");
    EXPECT_EQ(settings.frameWidth, 100);
    EXPECT_EQ(settings.nodeHeight, 38);
    EXPECT_EQ(settings.fontSize, 9);
    EXPECT_TRUE(settings.setPromptLanguage(u"Wst12"));
    EXPECT_FALSE(settings.setPromptLanguage(u"Wst123"));
    EXPECT_EQ(settings.promptLanguage, u"Wst12");
    EXPECT_FALSE(settings.setOtherLanguage(u"Western"));
    EXPECT_EQ(settings.otherLanguage, u"Wst8");
    EXPECT_TRUE(settings.setFontFace(std::u16string(kMaxFontFaceLength, u'f')));
    EXPECT_FALSE(settings.setFontFace(std::u16string(kMaxFontFaceLength + 1, u'f')));
    EXPECT_EQ(settings.fontFace.size(), kMaxFontFaceLength);
}

TEST(DisplayNodes, StoredRowCountFollowsTheModel) {
    EXPECT_EQ(CDisplayNode(u"D", 0).text.storedRowCount, 6);
    EXPECT_EQ(CDisplayNode(u"D", 1).text.storedRowCount, 8);
    EXPECT_EQ(CMenuNode(u"M", 7).text.storedRowCount, 4);
    EXPECT_TRUE(isDoubleByteLanguage(u"Chs"));
    EXPECT_FALSE(isDoubleByteLanguage(u"Wst8"));
}

TEST(DisplayCharset, CountsEveryOccurrenceAndDropsUnusedCharacters) {
    DisplayCharset set;
    DisplayText text;
    EXPECT_TRUE(text.setRow(0, u"\u4e2d\u6587\u4e2d", &set));
    EXPECT_TRUE(text.setRow(1, u"\u6587", &set));
    EXPECT_EQ(set.size(), 2u);
    EXPECT_EQ(set.countOf(u'\u4e2d'), 2);
    EXPECT_EQ(set.countOf(u'\u6587'), 2);
    EXPECT_EQ(set.positionOf(u'\u4e2d'), 1u);
    EXPECT_EQ(set.positionOf(u'\u6587'), 2u);
    EXPECT_EQ(set.positionOf(u'x'), 0u);

    // Replacing the only row that used a character removes it.
    EXPECT_TRUE(text.setRow(0, u"\u6587", &set));
    EXPECT_FALSE(set.contains(u'\u4e2d'));
    EXPECT_EQ(set.countOf(u'\u6587'), 2);
    char16_t ch = 0;
    EXPECT_TRUE(set.characterAt(1, ch));
    EXPECT_EQ(ch, u'\u6587');
    EXPECT_FALSE(set.characterAt(0, ch));
    EXPECT_FALSE(set.characterAt(2, ch));
}

TEST(DisplayCharset, The256thDistinctCharacterIsRefused) {
    DisplayCharset set;
    DisplayText text;
    // Fill the set with 255 distinct characters, 15 per row-sized chunk.
    std::u16string all;
    for (char16_t c = 0x4e00; c < 0x4e00 + kMaxDisplayCharacters; ++c) all.push_back(c);
    for (char16_t c : all) ASSERT_TRUE(set.addCharacter(c, 1));
    ASSERT_EQ(set.size(), kMaxDisplayCharacters);

    // A row with a known character, a new one, then a known one again: the
    // known ones count, the new one and everything after it does not.
    const std::u16string row{all[0], u'\u9fa5', all[1]};
    EXPECT_FALSE(text.setRow(0, row, &set));
    EXPECT_EQ(text.rows[0], row); // the row itself is kept
    EXPECT_FALSE(set.contains(u'\u9fa5'));
    EXPECT_EQ(set.countOf(all[0]), 2);
    EXPECT_EQ(set.countOf(all[1]), 1);
    EXPECT_EQ(set.size(), kMaxDisplayCharacters);
}

TEST(DisplayText, LineBreaksBecomeSpacesAndRowsAreBounded) {
    DisplayText text;
    EXPECT_TRUE(text.setRow(2, u"a\r\nb\nc", nullptr));
    EXPECT_EQ(text.rows[2], u"a  b c");
    EXPECT_TRUE(text.setRow(0, std::u16string(25, u'x'), nullptr));
    EXPECT_EQ(text.rows[0].size(), kMaxDisplayColumns);
    EXPECT_FALSE(text.setRow(kMaxDisplayRows, u"x", nullptr));
}

} // namespace
} // namespace tarvo
