#include "tarvo/common/ini_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace tarvo {
namespace {

TEST(IniStore, LookupIgnoresCaseAndMissingGivesDefault) {
    IniStore ini;
    ini.parse("; comment\r\n[Sizes]\r\nGridX = 12\r\nName=abc def\r\n\r\n[Other]\r\nk=v\r\n");
    EXPECT_EQ(ini.getString("sizes", "NAME"), "abc def");
    EXPECT_EQ(ini.getInt("SIZES", "gridx", -1), 12);
    EXPECT_EQ(ini.getInt("Sizes", "Missing", 77), 77);
    EXPECT_EQ(ini.getString("Nope", "k", "dflt"), "dflt");
    EXPECT_EQ(ini.getString("Other", "k"), "v");
}

TEST(IniStore, IntegerReadingMatchesProfileRules) {
    IniStore ini;
    ini.parse("[s]\na=-42xyz\nb=abc\nc=\n");
    EXPECT_EQ(ini.getInt("s", "a", 5), -42);
    EXPECT_EQ(ini.getInt("s", "b", 5), 0);  // present but not a number
    EXPECT_EQ(ini.getInt("s", "c", 5), 0);
}

TEST(IniStore, WritingKeepsOtherKeysCommentsAndOrder) {
    IniStore ini;
    ini.parse("; keep me\n[A]\nx=1\ny=2\n\n[B]\nz=3\n");
    ini.setString("a", "Y", "20");
    ini.setString("A", "w", "new");
    ini.setInt("C", "n", 9);
    EXPECT_EQ(ini.text(), "; keep me\n[A]\nx=1\ny=20\nw=new\n\n[B]\nz=3\n[C]\nn=9\n");
    ini.removeKey("a", "x");
    ini.removeSection("b");
    EXPECT_EQ(ini.text(), "; keep me\n[A]\ny=20\nw=new\n\n[C]\nn=9\n");
}

TEST(IniStore, LoadMissingFileIsEmptyAndSaveRoundTrips) {
    auto dir = std::filesystem::temp_directory_path() / "tarvo_ini_test";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "t.ini").string();
    std::filesystem::remove(path);

    IniStore ini;
    EXPECT_TRUE(ini.load(path));
    EXPECT_TRUE(ini.sections().empty());
    ini.setString("Main", "Key", "Value");
    ASSERT_TRUE(ini.save(path));

    IniStore again;
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(again.getString("main", "key"), "Value");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tarvo
