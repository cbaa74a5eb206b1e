#include "tarvo/shell/config_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cctype>
#include <string>
#include <unistd.h>

#include "tarvo/common/ini_store.h"

namespace tarvo::shell {
namespace {

namespace fs = std::filesystem;

// Each test gets its own settings folder.
class ConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tarvo_shell_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void writeFile(const char* name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    ConfigStore store() const { return ConfigStore(dir_.string()); }

    fs::path dir_;
};

TEST_F(ConfigStoreTest, FirstStartUsesDefaultsAndWritesCompleteFile) {
    GeneratorConfig c = store().load();
    EXPECT_EQ(c.defaultModel, 0);
    EXPECT_EQ(c.defaultLanguage, "Wst8");
    EXPECT_EQ(c.defaultSysFontSize, "Wst8");
    EXPECT_EQ(c.fontName, "Microsoft Sans Serif");
    EXPECT_EQ(c.fontSize, 9);
    EXPECT_EQ(c.gridSizeX, 10);
    EXPECT_EQ(c.borderSize, 2);
    EXPECT_EQ(c.nodeSizeX, 80);
    EXPECT_EQ(c.nodeSizeY, 38);
    EXPECT_EQ(c.frameSizeX, 100);
    EXPECT_EQ(c.frameSizeY, 25);
    EXPECT_EQ(c.placement, WindowPlacement{});
    EXPECT_EQ(c.placement.right, 950);
    EXPECT_TRUE(c.showToolbar && c.showNodesToolbar && c.showTree && c.showStatus);
    EXPECT_TRUE(c.showGrid && c.snapToGrid);
    EXPECT_TRUE(c.recentFiles.entries().empty());
    EXPECT_EQ(c.recentFiles.maximum(), kDefaultRecentFiles);

    ASSERT_TRUE(store().save(c));
    IniStore ini;
    ASSERT_TRUE(ini.load(store().configPath()));
    for (const char* key :
         {"DefaultPDTType", "DefaultLanguage", "DefaultSysFontSize", "Font", "FontSize",
          "ShowToolbar", "ShowNodesToolbar", "ShowTree", "ShowStatus", "ShowGrid", "SnapToGrid",
          "GridSizeX", "GridSizeY", "BorderSize", "NodeSizeX", "NodeSizeY", "FrameSizeX",
          "FrameSizeY", "StateMinX", "StateMinY", "StateMaxX", "StateMaxY", "PosLeft", "PosTop",
          "PosRight", "PosBottom"})
        EXPECT_TRUE(ini.find("System", key)) << key;
    for (auto section : kAppearanceSectionNames)
        for (const char* key : {"Type", "Shape", "Border", "Fill", "Text"})
            EXPECT_TRUE(ini.find(section, key)) << section << "/" << key;
    EXPECT_EQ(ini.getString("System", "Font"), "Microsoft Sans Serif");
    EXPECT_EQ(ini.getString("Modify", "Border"), "4227072");
    EXPECT_EQ(ini.getString("Subroutine", "Border"), "255");
    EXPECT_EQ(ini.getString("Frame", "Border"), "16711680");
    EXPECT_EQ(ini.getString("Verify", "Shape"), "6");
    EXPECT_EQ(ini.getString("Return", "Type"), "13");
    EXPECT_EQ(ini.getString("Call", "Fill"), "16777215");

    // What was written reads back to the same record.
    GeneratorConfig again = store().load();
    EXPECT_EQ(again.appearances, c.appearances);
    EXPECT_EQ(again.placement, c.placement);
}

TEST_F(ConfigStoreTest, BuiltInAppearanceTable) {
    auto a = defaultNodeAppearances();
    const std::pair<NodeShape, ColorRef> expected[kAppearanceTypeCount] = {
        {NodeShape::Rectangle, 16711680}, {NodeShape::Ellipse, 255},
        {NodeShape::Rectangle, 255},      {NodeShape::Rectangle, 0},
        {NodeShape::Rectangle, 16711680}, {NodeShape::Octagon, 16711680},
        {NodeShape::Hexagon, 0},          {NodeShape::Rectangle, 0},
        {NodeShape::Octagon, 4227072},    {NodeShape::Hexagon, 4227072},
        {NodeShape::Parallelogram, 16711680}, {NodeShape::Rectangle, 16711680},
        {NodeShape::Rectangle, 4227072},  {NodeShape::Rectangle, 4227072}};
    for (int i = 0; i < kAppearanceTypeCount; ++i) {
        SCOPED_TRACE(std::string(kAppearanceSectionNames[i]));
        EXPECT_EQ(a[i].type, i);
        EXPECT_EQ(a[i].shape, expected[i].first);
        EXPECT_EQ(a[i].border, expected[i].second);
        EXPECT_EQ(a[i].fill, 16777215u);
        EXPECT_EQ(a[i].text, 0u);
    }
}

TEST_F(ConfigStoreTest, OnlyGridWidthInFileChangesOnlyGridWidth) {
    writeFile(kConfigFileName, "[System]\r\nGridSizeX=20\r\n");
    GeneratorConfig c = store().load();
    GeneratorConfig d;
    EXPECT_EQ(c.gridSizeX, 20);
    c.gridSizeX = d.gridSizeX;
    EXPECT_EQ(c.gridSizeY, d.gridSizeY);
    EXPECT_EQ(c.fontName, d.fontName);
    EXPECT_EQ(c.placement, d.placement);
    EXPECT_EQ(c.appearances, d.appearances);
    EXPECT_EQ(c.nodeSizeX, d.nodeSizeX);
    EXPECT_EQ(c.showGrid, d.showGrid);
}

TEST_F(ConfigStoreTest, SectionWithOnlyFillKeepsShapeAndBorder) {
    writeFile(kConfigFileName, "[input]\nFill=255\n");
    GeneratorConfig c = store().load();
    auto defaults = defaultNodeAppearances();
    EXPECT_EQ(c.appearances[5].fill, 255u);
    EXPECT_EQ(c.appearances[5].shape, NodeShape::Octagon);
    EXPECT_EQ(c.appearances[5].border, defaults[5].border);
    EXPECT_EQ(c.appearances[5].text, defaults[5].text);
    for (int i = 0; i < kAppearanceTypeCount; ++i)
        if (i != 5) {
            EXPECT_EQ(c.appearances[i], defaults[i]) << i;
        }
}

TEST_F(ConfigStoreTest, ValuesFromFileAreTaken) {
    writeFile(kConfigFileName,
              "[System]\nDefaultLanguage=Chs\nDefaultSysFontSize=Wst12\nFont=DejaVu Sans\n"
              "FontSize=11\nShowTree=0\nSnapToGrid=0\nGridSizeY=7\nBorderSize=0\n"
              "PosLeft=-1200\nPosBottom=1000\n[Math]\nShape=0\nBorder=65280\nText=8421504\n");
    GeneratorConfig c = store().load();
    EXPECT_EQ(c.defaultLanguage, "Chs");
    EXPECT_EQ(c.defaultSysFontSize, "Wst12");
    EXPECT_EQ(c.fontName, "DejaVu Sans");
    EXPECT_EQ(c.fontSize, 11);
    EXPECT_FALSE(c.showTree);
    EXPECT_FALSE(c.snapToGrid);
    EXPECT_TRUE(c.showGrid);
    EXPECT_EQ(c.gridSizeY, 7);
    EXPECT_EQ(c.borderSize, 0);
    EXPECT_EQ(c.placement.left, -1200);
    EXPECT_EQ(c.placement.bottom, 1000);
    EXPECT_EQ(c.appearances[6].shape, NodeShape::Circle);
    EXPECT_EQ(c.appearances[6].border, 65280u);
    EXPECT_EQ(c.appearances[6].text, 8421504u);
}

// A readable test name from a case's description.
std::string testName(const char* what) {
    std::string name;
    for (char ch : std::string(what)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

// Values the generator cannot use keep their defaults instead of reaching
// the canvas (a zero grid would divide by zero when snapping).
struct BadValue {
    const char* text;
    const char* what;
};
void PrintTo(const BadValue& v, std::ostream* os) { *os << v.what; }
class ConfigStoreBadValue : public ConfigStoreTest,
                            public ::testing::WithParamInterface<BadValue> {};

TEST_P(ConfigStoreBadValue, KeepsDefault) {
    writeFile(kConfigFileName, GetParam().text);
    GeneratorConfig c = store().load();
    GeneratorConfig d;
    EXPECT_EQ(c.gridSizeX, d.gridSizeX);
    EXPECT_EQ(c.nodeSizeY, d.nodeSizeY);
    EXPECT_EQ(c.defaultModel, d.defaultModel);
    EXPECT_EQ(c.defaultLanguage, d.defaultLanguage);
    EXPECT_EQ(c.defaultSysFontSize, d.defaultSysFontSize);
    EXPECT_EQ(c.fontName, d.fontName);
    EXPECT_EQ(c.appearances, d.appearances);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConfigStoreBadValue,
    ::testing::Values(BadValue{"[System]\nGridSizeX=0\n", "zero grid"},
                      BadValue{"[System]\nGridSizeX=-5\n", "negative grid"},
                      BadValue{"[System]\nGridSizeX=abc\n", "grid not a number"},
                      BadValue{"[System]\nNodeSizeY=99999999999\n", "huge size"},
                      BadValue{"[System]\nDefaultPDTType=3\n", "unknown model"},
                      BadValue{"[System]\nDefaultLanguage=\n", "empty language"},
                      BadValue{"[System]\nDefaultLanguage=Klingon\n", "unknown language"},
                      BadValue{"[System]\nDefaultSysFontSize=Chs\n", "double-byte system text"},
                      BadValue{"[System]\nFont=\n", "empty font"},
                      BadValue{"[Frame]\nShape=7\n", "shape past the list"},
                      BadValue{"[Frame]\nShape=-1\n", "negative shape"},
                      BadValue{"[Frame]\nType=14\n", "type past the list"},
                      BadValue{"[Frame]\nFill=16777216\n", "colour past 24 bits"},
                      BadValue{"[Frame]\nBorder=-1\n", "negative colour"}),
    [](const auto& info) { return testName(info.param.what); });

TEST_F(ConfigStoreTest, SaveKeepsUnknownKeysOfTheFile) {
    writeFile(kConfigFileName, "; user note\n[System]\nGridSizeX=12\nFuture=yes\n[Extra]\na=b\n");
    GeneratorConfig c = store().load();
    c.gridSizeX = 14;
    ASSERT_TRUE(store().save(c));
    IniStore ini;
    ASSERT_TRUE(ini.load(store().configPath()));
    EXPECT_EQ(ini.getString("System", "GridSizeX"), "14");
    EXPECT_EQ(ini.getString("System", "Future"), "yes");
    EXPECT_EQ(ini.getString("Extra", "a"), "b");
}

TEST_F(ConfigStoreTest, SaveIntoMissingFolderFailsWithoutCrash) {
    ConfigStore missing((dir_ / "no" / "such").string());
    EXPECT_FALSE(missing.save(GeneratorConfig{}));
}

TEST_F(ConfigStoreTest, EmptyFolderMeansProgramOrUserFolder) {
    ConfigStore defaults;
    EXPECT_FALSE(defaults.folder().empty());
    EXPECT_EQ(fs::path(defaults.configPath()).filename(), kConfigFileName);
}

// The recent-file list as the stored count and entries give it.
struct RecentCase {
    const char* what;
    const char* text;
    int maximum;
    std::vector<std::string> entries;
};
void PrintTo(const RecentCase& c, std::ostream* os) { *os << c.what; }
class RecentLoad : public ConfigStoreTest, public ::testing::WithParamInterface<RecentCase> {};

TEST_P(RecentLoad, ReadsCountAndEntries) {
    writeFile(kRecentFileName, GetParam().text);
    GeneratorConfig c = store().load();
    EXPECT_EQ(c.recentFiles.maximum(), GetParam().maximum);
    EXPECT_EQ(c.recentFiles.entries(), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, RecentLoad,
    ::testing::Values(
        RecentCase{"count 1 reads as 2", "[Recent Document List]\nDocumentCount=1\nDocument1=/a.scr\n"
                   "Document2=/b.scr\nDocument3=/c.scr\n",
                   2, {"/a.scr", "/b.scr"}},
        RecentCase{"count 40 reads as 16", "[Recent Document List]\nDocumentCount=40\nDocument16=/p.scr\n"
                   "Document17=/q.scr\n",
                   16, {"/p.scr"}},
        RecentCase{"missing numbers are skipped", "[Recent Document List]\nDocumentCount=4\nDocument3=/c.scr\n"
                   "Document1=/a.scr\n",
                   4, {"/a.scr", "/c.scr"}},
        // Without a count the list stays empty with its built-in maximum.
        RecentCase{"no count", "[Recent Document List]\nDocument1=/a.scr\n", kDefaultRecentFiles, {}},
        RecentCase{"count not a number", "[Recent Document List]\nDocumentCount=many\nDocument1=/a.scr\n",
                   kDefaultRecentFiles, {}},
        RecentCase{"no file", "", kDefaultRecentFiles, {}},
        // The same path twice is listed once, at its newer place.
        RecentCase{"duplicate path", "[Recent Document List]\nDocumentCount=5\nDocument1=/a.scr\n"
                   "Document2=/b.scr\nDocument3=/a.scr\n",
                   5, {"/a.scr", "/b.scr"}}),
    [](const auto& info) { return testName(info.param.what); });

TEST_F(ConfigStoreTest, RecentListSavesInOrderAndDropsStaleNumbers) {
    writeFile(kRecentFileName, "[Recent Document List]\nDocumentCount=16\n"
                               "Document1=/1\nDocument2=/2\nDocument15=/15\nDocument16=/16\n");
    GeneratorConfig c = store().load();
    ASSERT_EQ(c.recentFiles.entries().size(), 4u);
    c.recentFiles.clear();
    c.recentFiles.add("/old.scr");
    c.recentFiles.add("/new.scr");
    ASSERT_TRUE(store().save(c));

    IniStore ini;
    ASSERT_TRUE(ini.load(store().recentPath()));
    EXPECT_EQ(ini.getString(kRecentSection, "DocumentCount"), "16");
    EXPECT_EQ(ini.getString(kRecentSection, "Document1"), "/new.scr");
    EXPECT_EQ(ini.getString(kRecentSection, "Document2"), "/old.scr");
    for (int i = 3; i <= 16; ++i)
        EXPECT_FALSE(ini.find(kRecentSection, "Document" + std::to_string(i))) << i;
    EXPECT_EQ(store().load().recentFiles.entries(),
              (std::vector<std::string>{"/new.scr", "/old.scr"}));
}

}  // namespace
}  // namespace tarvo::shell
