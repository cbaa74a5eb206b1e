// LanguageInfo: the list, the selection rules, AllowDoublebyte and null results.
#include "tarvo/langinfo/language_info.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <ostream>
#include <string>
#include <vector>

namespace tarvo::langinfo {
namespace {

// A font check that finds every font except those of the listed character sets.
class FakeFontCheck : public FontCheck {
public:
    explicit FakeFontCheck(std::set<int> missingCharSets = {})
        : missing_(std::move(missingCharSets)) {}
    bool canCreateFont(const LanguageEntry& entry) override {
        asked.emplace_back(entry.name);
        return missing_.count(entry.charSet) == 0;
    }
    std::vector<std::string> asked;

private:
    std::set<int> missing_;
};

// Owns one reference of an object for the length of a test.
struct InfoRef {
    explicit InfoRef(FontCheck& fonts) : info(LanguageInfo::create(fonts)) {}
    ~InfoRef() {
        if (info != nullptr) info->release();
    }
    ILanguageInfo* operator->() const { return info; }
    LanguageInfo* info;
};

std::string listOf(ILanguageInfo* info) {
    std::string list = "unset";
    EXPECT_EQ(info->languageList(&list), VernelResult::Ok);
    return list;
}

int16_t countOf(ILanguageInfo* info) {
    int16_t count = -1;
    EXPECT_EQ(info->getLanguageCount(&count), VernelResult::Ok);
    return count;
}

// The index of the current language, without changing it: "Thai" matches an
// entry that cannot be selected, so the current one stays.
int16_t currentIndexOf(ILanguageInfo* info) {
    int16_t index = -1;
    EXPECT_EQ(info->getLanguageIdx("Thai", 0, &index), VernelResult::Ok);
    return index;
}

const std::string kAllSeven =
    "English|French|Spanish|German|Chinese Simplified|Chinese Traditional|Japanese";

struct ListCase {
    const char* title;
    std::set<int> missingCharSets;
    std::string list;
    int count;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.title; }

class LanguageListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(LanguageListTest, HoldsTheSupportedNamesInTableOrder) {
    FakeFontCheck fonts(GetParam().missingCharSets);
    InfoRef info(fonts);
    EXPECT_EQ(listOf(info.info), GetParam().list);
    EXPECT_EQ(countOf(info.info), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, LanguageListTest,
    ::testing::Values(
        ListCase{"AllFontsFound", {}, kAllSeven, 7},
        ListCase{"NoGb2312Font", {134},
                 "English|French|Spanish|German|Chinese Traditional|Japanese", 6},
        ListCase{"NoShiftJisFont", {128},
                 "English|French|Spanish|German|Chinese Simplified|Chinese Traditional", 6},
        ListCase{"NoDoublebyteFont", {128, 130, 134, 136, 222}, "English|French|Spanish|German",
                 4}),
    [](const auto& info) { return std::string(info.param.title); });

TEST(LanguageInfoCreation, AsksFontsOnlyForSelectableDoublebyteLanguages) {
    // Thai, Korean and Maylay are never offered, so their fonts do not matter.
    FakeFontCheck fonts;
    InfoRef info(fonts);
    EXPECT_EQ(fonts.asked,
              (std::vector<std::string>{"Chinese Simplified", "Chinese Traditional", "Japanese"}));
}

TEST(LanguageInfoCreation, StartsOnEnglishWithDoublebyteAllowed) {
    FakeFontCheck fonts;
    InfoRef info(fonts);
    int32_t allow = -1;
    EXPECT_EQ(info->getAllowDoublebyte(&allow), VernelResult::Ok);
    EXPECT_EQ(allow, 1);
    EXPECT_EQ(currentIndexOf(info.info), 0);
    std::string delimiter;
    EXPECT_EQ(info->listDelimiter(&delimiter), VernelResult::Ok);
    EXPECT_EQ(delimiter, "|");
}

TEST(AllowDoublebyte, PutZeroDropsDoublebyteLanguagesAndPutOneDoesNotBringThemBack) {
    FakeFontCheck fonts;
    InfoRef info(fonts);
    int32_t allow = -1;

    EXPECT_EQ(info->putAllowDoublebyte(0), VernelResult::Ok);
    EXPECT_EQ(listOf(info.info), "English|French|Spanish|German");
    EXPECT_EQ(countOf(info.info), 4);
    info->getAllowDoublebyte(&allow);
    EXPECT_EQ(allow, 0);
    int16_t supported = -1;
    info->isSupported("Japanese", 0, &supported);
    EXPECT_EQ(supported, 0);

    EXPECT_EQ(info->putAllowDoublebyte(1), VernelResult::Ok);
    EXPECT_EQ(listOf(info.info), "English|French|Spanish|German");
    EXPECT_EQ(countOf(info.info), 4);
    info->getAllowDoublebyte(&allow);
    EXPECT_EQ(allow, 1);

    // A new object checks the fonts again.
    InfoRef fresh(fonts);
    EXPECT_EQ(listOf(fresh.info), kAllSeven);
}

TEST(AllowDoublebyte, PutZeroOnOneObjectLeavesOtherObjectsAlone) {
    // Each object keeps its own supported flags, so objects living on
    // different threads never disturb each other.
    FakeFontCheck fonts;
    InfoRef first(fonts);
    InfoRef second(fonts);
    first->putAllowDoublebyte(0);
    second->putAllowDoublebyte(1);
    EXPECT_EQ(listOf(second.info), kAllSeven);
    EXPECT_EQ(countOf(second.info), 7);
}

// One lookup: select `before` first (by name) when given, then ask `query`
// for `text`; expect `value` and the current index afterwards.
enum class Query { CharSet, Codepage, FontSize, Doublebyte, IsSupported, LanguageIdx };

struct LookupCase {
    const char* title;
    const char* before;
    Query query;
    std::string text;
    int32_t isLocaleCode;
    int value;
    int indexAfter;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.title; }

VernelResult ask(ILanguageInfo* info, Query query, const std::string& text, int32_t isLocaleCode,
                 int16_t* value) {
    switch (query) {
        case Query::CharSet: return info->charSet(text, isLocaleCode, value);
        case Query::Codepage: return info->codepage(text, isLocaleCode, value);
        case Query::FontSize: return info->fontSize(text, isLocaleCode, value);
        case Query::Doublebyte: return info->doublebyte(text, isLocaleCode, value);
        case Query::IsSupported: return info->isSupported(text, isLocaleCode, value);
        case Query::LanguageIdx: return info->getLanguageIdx(text, isLocaleCode, value);
    }
    return VernelResult::PointerError;
}

class LookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupTest, SelectsAndAnswers) {
    const LookupCase& c = GetParam();
    FakeFontCheck fonts({136});  // no Big5 font: Chinese Traditional unsupported
    InfoRef info(fonts);
    if (c.before != nullptr) {
        int16_t index = -1;
        info->getLanguageIdx(c.before, 0, &index);
        ASSERT_NE(index, 0) << "the preselection must leave English";
    }
    int16_t value = -1;
    EXPECT_EQ(ask(info.info, c.query, c.text, c.isLocaleCode, &value), VernelResult::Ok);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(currentIndexOf(info.info), c.indexAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Selection, LookupTest,
    ::testing::Values(
        LookupCase{"JapaneseCharSetByName", nullptr, Query::CharSet, "Japanese", 0, 128, 6},
        LookupCase{"GermanIndex", nullptr, Query::LanguageIdx, "German", 0, 3, 3},
        LookupCase{"ThaiAfterFrenchKeepsFrench", "French", Query::LanguageIdx, "Thai", 0, 1, 1},
        LookupCase{"ThaiAfterJapaneseAnswersJapanese", "Japanese", Query::CharSet, "Thai", 0, 128,
                   6},
        LookupCase{"KoreanCodeAfterChineseKeepsChinese", "Chinese Simplified", Query::Codepage,
                   "kor", 1, 936, 4},
        LookupCase{"MaylayAfterGermanKeepsGerman", "German", Query::FontSize, "Maylay", 0, 12, 3},
        LookupCase{"EmptyTextSelectsEnglish", "Japanese", Query::CharSet, "", 0, 0, 0},
        LookupCase{"EmptyCodeSelectsEnglish", "Japanese", Query::Codepage, "", 1, 850, 0},
        LookupCase{"UnknownNameSelectsEnglish", "Japanese", Query::Codepage, "Klingon", 0, 850, 0},
        LookupCase{"LowerCaseNameDoesNotMatch", "Japanese", Query::LanguageIdx, "english", 0, 0, 0},
        LookupCase{"UpperCaseCodeDoesNotMatch", "Japanese", Query::Codepage, "JPN", 1, 850, 0},
        LookupCase{"NameIsNoLocaleCode", "German", Query::CharSet, "Japanese", 1, 0, 0},
        LookupCase{"LocaleCodeIsNoName", "German", Query::CharSet, "jpn", 0, 0, 0},
        LookupCase{"TrailingBlankDoesNotMatch", "German", Query::CharSet, "Japanese ", 0, 0, 0},
        LookupCase{"MultibyteTextDoesNotMatch", "German", Query::CharSet,
                   "Japanese\xE2\x80\x8B", 0, 0, 0},
        LookupCase{"TraditionalCodeByLocale", nullptr, Query::Codepage, "cht", 1, 950, 5},
        LookupCase{"UnsupportedLanguageStillSelectable", nullptr, Query::IsSupported,
                   "Chinese Traditional", 0, 0, 5},
        LookupCase{"SupportedDoublebyte", nullptr, Query::IsSupported, "chs", 1, 1, 4},
        LookupCase{"DoublebyteFlag", nullptr, Query::Doublebyte, "Chinese Simplified", 0, 1, 4},
        LookupCase{"WesternIsSinglebyte", "Japanese", Query::Doublebyte, "Spanish", 0, 0, 2},
        LookupCase{"CurrentLocaleCodeKeepsCurrent", nullptr, Query::FontSize, "usa", 1, 12, 0}),
    [](const auto& info) { return std::string(info.param.title); });

struct TextCase {
    const char* title;
    std::function<VernelResult(ILanguageInfo*, std::string*)> call;
    std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.title; }

class TextLookupTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextLookupTest, Answers) {
    FakeFontCheck fonts;
    InfoRef info(fonts);
    std::string value = "unset";
    EXPECT_EQ(GetParam().call(info.info, &value), VernelResult::Ok);
    EXPECT_EQ(value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextLookupTest,
    ::testing::Values(
        TextCase{"FontNameByLocaleCode",
                 [](ILanguageInfo* i, std::string* v) { return i->fontName("jpn", 1, v); },
                 "MS Gothic"},
        TextCase{"FontNameOfUnknownCode",
                 [](ILanguageInfo* i, std::string* v) { return i->fontName("wst12", 1, v); },
                 "Tahoma"},
        TextCase{"LocaleCodeByName",
                 [](ILanguageInfo* i, std::string* v) { return i->localeCode("German", v); },
                 "deu"},
        TextCase{"LocaleCodeIgnoresCodes",
                 [](ILanguageInfo* i, std::string* v) { return i->localeCode("deu", v); }, "usa"},
        TextCase{"LocaleCodeOfUnselectableKeepsCurrent",
                 [](ILanguageInfo* i, std::string* v) { return i->localeCode("Korean", v); },
                 "usa"},
        TextCase{"NameByLocaleCode",
                 [](ILanguageInfo* i, std::string* v) { return i->getName("chs", v); },
                 "Chinese Simplified"},
        TextCase{"NameIgnoresNames",
                 [](ILanguageInfo* i, std::string* v) { return i->getName("Japanese", v); },
                 "English"},
        TextCase{"NameOfEmptyCode",
                 [](ILanguageInfo* i, std::string* v) { return i->getName("", v); }, "English"}),
    [](const auto& info) { return std::string(info.param.title); });

struct NullCase {
    const char* title;
    std::function<VernelResult(ILanguageInfo*)> call;
};

void PrintTo(const NullCase& c, std::ostream* os) { *os << c.title; }

class NullResultTest : public ::testing::TestWithParam<NullCase> {};

TEST_P(NullResultTest, GivesThePointerErrorAndSelectsNothing) {
    FakeFontCheck fonts;
    InfoRef info(fonts);
    int16_t index = -1;
    info->getLanguageIdx("Japanese", 0, &index);
    ASSERT_EQ(index, 6);
    EXPECT_EQ(GetParam().call(info.info), VernelResult::PointerError);
    EXPECT_EQ(currentIndexOf(info.info), 6);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, NullResultTest,
    ::testing::Values(
        NullCase{"LanguageList", [](ILanguageInfo* i) { return i->languageList(nullptr); }},
        NullCase{"ListDelimiter", [](ILanguageInfo* i) { return i->listDelimiter(nullptr); }},
        NullCase{"LanguageCount", [](ILanguageInfo* i) { return i->getLanguageCount(nullptr); }},
        NullCase{"CharSet", [](ILanguageInfo* i) { return i->charSet("German", 0, nullptr); }},
        NullCase{"Codepage", [](ILanguageInfo* i) { return i->codepage("deu", 1, nullptr); }},
        NullCase{"FontName", [](ILanguageInfo* i) { return i->fontName("German", 0, nullptr); }},
        NullCase{"FontSize", [](ILanguageInfo* i) { return i->fontSize("", 0, nullptr); }},
        NullCase{"Doublebyte", [](ILanguageInfo* i) { return i->doublebyte("x", 0, nullptr); }},
        NullCase{"IsSupported", [](ILanguageInfo* i) { return i->isSupported("x", 1, nullptr); }},
        NullCase{"LocaleCode", [](ILanguageInfo* i) { return i->localeCode("German", nullptr); }},
        NullCase{"GetName", [](ILanguageInfo* i) { return i->getName("deu", nullptr); }},
        NullCase{"LanguageIdx",
                 [](ILanguageInfo* i) { return i->getLanguageIdx("German", 0, nullptr); }},
        NullCase{"AllowDoublebyte",
                 [](ILanguageInfo* i) { return i->getAllowDoublebyte(nullptr); }}),
    [](const auto& info) { return std::string(info.param.title); });

TEST(LanguageInfoLifetime, LivesAsLongAsItsReferences) {
    FakeFontCheck fonts;
    const long before = LanguageInfo::liveObjects();
    LanguageInfo* info = LanguageInfo::create(fonts);
    ASSERT_NE(info, nullptr);
    info->addRef();
    info->release();
    EXPECT_EQ(LanguageInfo::liveObjects(), before + 1);
    info->release();
    EXPECT_EQ(LanguageInfo::liveObjects(), before);
}

}  // namespace
}  // namespace tarvo::langinfo
