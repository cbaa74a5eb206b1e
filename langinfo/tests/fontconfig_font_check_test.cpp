// FontconfigFontCheck against a desktop whose fontconfig knows no fonts at all.
#include "tarvo/langinfo/fontconfig_font_check.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tarvo/langinfo/language_info.h"

namespace tarvo::langinfo {
namespace {

namespace fs = std::filesystem;

// Points fontconfig at a configuration without font folders for the
// length of a test, so the answers do not depend on the machine's fonts.
class NoFontsDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("FONTCONFIG_FILE");
        hadOld_ = old != nullptr;
        if (hadOld_) old_ = old;
        config_ = fs::temp_directory_path() /
                  ("tarvo_no_fonts_" + std::to_string(::getpid()) + ".conf");
        std::ofstream(config_) << "<?xml version=\"1.0\"?>\n"
                                  "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                                  "<fontconfig></fontconfig>\n";
        ::setenv("FONTCONFIG_FILE", config_.c_str(), 1);
    }
    void TearDown() override {
        if (hadOld_) {
            ::setenv("FONTCONFIG_FILE", old_.c_str(), 1);
        } else {
            ::unsetenv("FONTCONFIG_FILE");
        }
        std::error_code ignored;
        fs::remove(config_, ignored);
    }

private:
    fs::path config_;
    bool hadOld_ = false;
    std::string old_;
};

TEST_F(NoFontsDesktop, DoublebyteLanguagesAreNotSupportedWesternOnesAre) {
    FontconfigFontCheck fonts;
    const auto& table = languageTable();
    EXPECT_TRUE(fonts.canCreateFont(table[0]));   // English: every font covers it
    EXPECT_FALSE(fonts.canCreateFont(table[4]));  // Chinese Simplified
    EXPECT_FALSE(fonts.canCreateFont(table[5]));  // Chinese Traditional
    EXPECT_FALSE(fonts.canCreateFont(table[6]));  // Japanese

    LanguageInfo* info = LanguageInfo::create(fonts);
    ASSERT_NE(info, nullptr);
    std::string list;
    info->languageList(&list);
    EXPECT_EQ(list, "English|French|Spanish|German");
    info->release();
}

}  // namespace
}  // namespace tarvo::langinfo
