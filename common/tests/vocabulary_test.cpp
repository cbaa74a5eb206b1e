// Tests of the vocabulary tables and their lookups.
#include "tarvo/common/vocabulary.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

struct LookupCase {
    const char* label;
    WordTable (*table)();
    std::string_view word;
    std::uint8_t expected;
};

class VocabularyLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(VocabularyLookup, FindsTheCodeOrAnswersNotFound) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(lookupWord(c.table(), c.word), c.expected) << c.label;
    // The 16-bit lookup agrees with the 8-bit one.
    std::u16string wide(c.word.begin(), c.word.end());
    EXPECT_EQ(lookupWord(c.table(), std::u16string_view(wide)), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, VocabularyLookup,
    ::testing::Values(
        LookupCase{"type Frame", words::typeNames, "Frame", 0},
        LookupCase{"type Start", words::typeNames, "Start", 11},
        LookupCase{"type Entry is no type name", words::typeNames, "Entry", kWordNotFound},
        LookupCase{"keyword Entry", words::typeKeywords, "Entry", 11},
        LookupCase{"keyword Start is no keyword", words::typeKeywords, "Start", kWordNotFound},
        LookupCase{"empty link type", words::typeNames, "", 14},
        LookupCase{"type Template", words::typeNames, "Template", 18},
        LookupCase{"case matters", words::typeNames, "frame", kWordNotFound},
        LookupCase{"length matters", words::typeNames, "Fram", kWordNotFound},
        LookupCase{"trailing space matters", words::typeNames, "Menu ", kWordNotFound},
        LookupCase{"model", words::modelNames, "Strix VK81", 0},
        LookupCase{"unknown model", words::modelNames, "VK7100", kWordNotFound},
        LookupCase{"language Cht", words::languageCodes, "Cht", 3},
        LookupCase{"language Wst8", words::languageCodes, "Wst8", 1},
        LookupCase{"modify mixed case", words::modifyOperationWords, "Replace", 2},
        LookupCase{"modify upper case is not it", words::modifyOperationWords, "REPLACE",
                   kWordNotFound},
        LookupCase{"math MOD", words::mathOperationWords, "MOD", 4},
        LookupCase{"math symbol %", words::mathOperationSymbols, "%", 4},
        LookupCase{"device WEDGE", words::outputDevices, "WEDGE", 3},
        LookupCase{"sorted file write", words::fileWriteWords, "ASCII", 3},
        LookupCase{"register write FIELD", words::registerWriteWords, "FIELD", 3},
        LookupCase{"record location", words::recordLocations, "Number", 3},
        LookupCase{"verify data type", words::dataTypes, "ALPHA", 2},
        LookupCase{"comparison", words::comparisonKinds, "Range", 2},
        LookupCase{"shape", words::shapeNames, "Parallelogram", 6},
        LookupCase{"display operation", words::displayOperations, "Display text on screen",
                   8}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Vocabulary, WordAtAnswersEmptyOutsideTheTable) {
    EXPECT_EQ(wordAt(words::modelNames(), 0), "Strix VK81");
    EXPECT_EQ(wordAt(words::modelNames(), 1), "");
    EXPECT_EQ(wordAt(words::modelNames(), 255), "");
    EXPECT_EQ(wordAt(words::languageNames(), 2), "Chinese Simplified - 16 pt.");
}

TEST(Vocabulary, TypeTablesDifferOnlyAtTheEntryCode) {
    ASSERT_EQ(words::typeNames().size(), 19u);
    ASSERT_EQ(words::typeKeywords().size(), 19u);
    for (std::size_t i = 0; i < 19; ++i) {
        if (i == 11) continue;
        EXPECT_EQ(words::typeNames()[i], words::typeKeywords()[i]) << i;
    }
}

} // namespace
} // namespace tarvo
