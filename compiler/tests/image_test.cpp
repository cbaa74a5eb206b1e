// Word stream, symbols, record file, image conversion and font block of compiled scripts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "font_embedder.h"
#include "script_builder.h"

namespace tarvo::compiler {
namespace {

using testing::compileText;
using testing::kReturnNode;
using testing::scriptWithNodes;

const char* const kWorkedExample = R"(/* example */
Portable "Strix VK81"
Language "Wst12"
SystemFontSize 12
Declarations (
    REG "Default Register".128,
    FILE "Default File",
    FIELD "Year".2,
    TEMPLATE "System Date Template" ( "Month", "Separator" )
)
Frame "test" ( Branch ( Display "test.D1" )
    Display "test.D1" ( Source( DISPLAYLITERAL "hello", NOLITERAL, NOLITERAL ), Special(), Destination(), Branch( Copy "test.C1" ) ),
    Copy "test.C1" ( Source( LITERAL "abc" ), Special(), Destination( REG "Default Register", OVERWRITE ), Branch( Call "test.K1" ) ),
    Call "test.K1" ( Source(), Special(), Destination(), Branch( Subroutine "S1", Display "test.D1" ) )
);
Subroutine "S1" ( Return "S1.R1" ( Source(), Special(), Destination(), Branch() ) )
)";

std::string lines(std::initializer_list<const char*> records) {
    std::string text;
    for (const char* record : records) text += std::string(record) + "\r\n";
    return text;
}

struct Record {
    unsigned address = 0;
    unsigned type = 0;
    std::vector<uint8_t> data;
};

// Our own reading of Intel HEX text.
std::vector<Record> readRecords(const std::string& text) {
    std::vector<Record> records;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        Record record;
        unsigned length = std::stoul(line.substr(1, 2), nullptr, 16);
        record.address = std::stoul(line.substr(3, 4), nullptr, 16);
        record.type = std::stoul(line.substr(7, 2), nullptr, 16);
        for (unsigned i = 0; i < length; ++i)
            record.data.push_back(static_cast<uint8_t>(std::stoul(line.substr(9 + 2 * i, 2), nullptr, 16)));
        records.push_back(record);
    }
    return records;
}

// The words of the data records, high byte first as in the record file.
std::vector<uint16_t> wordsOf(const std::string& recordText) {
    std::vector<uint8_t> bytes;
    for (const Record& r : readRecords(recordText))
        if (r.type == 0) bytes.insert(bytes.end(), r.data.begin(), r.data.end());
    std::vector<uint16_t> words;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) words.push_back(static_cast<uint16_t>(bytes[i] << 8 | bytes[i + 1]));
    return words;
}

bool containsRun(const std::vector<uint16_t>& words, const std::vector<uint16_t>& run) {
    return std::search(words.begin(), words.end(), run.begin(), run.end()) != words.end();
}

CompileResult compiled(const std::string& script, CollectedMessages& messages, bool listing = false) {
    CompileResult result = compileText(script, messages, listing);
    EXPECT_TRUE(result.hexGenerated) << (messages.logLines.empty() ? "" : messages.logLines.back());
    return result;
}

TEST(WorkedExample, RecordFileImageAndListing) {
    CollectedMessages messages;
    CompileResult result = compiled(kWorkedExample, messages, true);
    EXPECT_EQ(result.recordText, lines({
        ":020000023000CC",
        ":2080000001260001014F0001013B01730122008001190174011801750164000101220002EB",
        ":2080200001500176016400020123017701230178011D0179016400010161017A0113017A6E",
        ":2080400001640003012A68656C6C6F0001320132016400010161017B010D017B01640001DF",
        ":20806000012A6162630001640002013B0173016B0135016400010161017C0106017C0164C8",
        ":1280800000020161017D0161017A014D017D013F017EA4",
        ":06809200017001700014F2",
        ":00000001FF"}));
    EXPECT_EQ(result.imageText, lines({
        ":0400000100000000FB",
        ":020000010004F9",
        ":04000001564B3831F1",
        ":020000023000CC",
        ":20800000260101004F0101003B0173012201800019017401180175016401010022010200EB",
        ":20802000500176016401020023017701230178011D0179016401010061013C8013017A012D",
        ":20804000640103002A0165686C6C006F3201320164010100610158800D017B016401010083",
        ":208060002A0162610063640102003B0173016B0135016401010061017A8006017C0164014B",
        ":12808000020061018A8061013C804D017D013F017E01D7",
        ":06809200700170012D00D9",
        ":00000001FF"}));
    EXPECT_EQ(result.imageBytes, 0x98u);
    const char* expectedListing[] = {
        "\tREG$ 013B                ;Register symbol (hex)\n",
        "\tREG! 0173                ;Variable Name \"Default Register\"\n",
        "FRAME LABEL: 0179        ;frame \"test\"\n",
        "NODE LABEL : 017A          ;Display \"testdisplaytest.D1\"\n",
        "\tTXT! hello               ;string constant (actual)\n",
        "\tXTX$ 0132                ;No Literal text type symbol (hex) \n",
        "\tSWT! 0135                ;Switch parameter (decimal:309)\n",
        "\tNAM! 017D                ;label constant \"S1\" \n",
        "SUBROUTINE LABEL: 017D   ;subroutine \"S1\"\n",
        "NODE LABEL : 017E          ;Return \"S1returnS1.R1\"\n"};
    for (const char* line : expectedListing) EXPECT_NE(result.listingText.find(line), std::string::npos) << line;
}

TEST(WorkedExample, WithoutListingThereIsNoListingText) {
    CollectedMessages messages;
    EXPECT_TRUE(compiled(kWorkedExample, messages).listingText.empty());
}

struct CodeCase {
    const char* name;
    std::string script;
    std::vector<uint16_t> run;  // must appear in the word stream
};

class CodeGeneration : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodeGeneration, WritesWords) {
    CollectedMessages messages;
    auto words = wordsOf(compiled(GetParam().script, messages).recordText);
    std::ostringstream dump;
    for (uint16_t w : words) dump << std::hex << w << ' ';
    EXPECT_TRUE(containsRun(words, GetParam().run)) << dump.str();
}

std::string copyTo(const std::string& source, const std::string& destination) {
    return "Copy \"F.C\" ( Source( " + source + " ), Special(), Destination( " + destination +
           " ), Branch( Return \"F.R\" ) ),\n" + kReturnNode;
}

INSTANTIATE_TEST_SUITE_P(
    Items, CodeGeneration,
    ::testing::Values(
        CodeCase{"ReturnNodeIsTwoWordsAndFirstNameIs371", scriptWithNodes(kReturnNode),
                 {0x013B, 0x0171 + 2, 0x0122, 0x0080, 0x011D, 0x0174, 0x013F, 0x0175, 0x0170}},
        CodeCase{"VK7100StartsWithFirstDeclaration", scriptWithNodes(kReturnNode), {0x013B, 0x0173}},
        CodeCase{"SystemDateRegisterIs369", scriptWithNodes(copyTo("REG \"System Date\"", "REG \"System Time\"")),
                 {0x0164, 1, 0x013B, 0x0171, 0x0164, 1, 0x013B, 0x0172}},
        CodeCase{"EscapedTextAndPadding", scriptWithNodes(copyTo("LITERAL \"A\\x41\"", "REG \"R\"")),
                 {0x0164, 1, 0x012A, 0x4141, 0x0000, 0x0164}},
        CodeCase{"EmptyText", scriptWithNodes(copyTo("LITERAL \"\"", "REG \"R\"")), {0x012A, 0x0000, 0x0164}},
        CodeCase{"FileRecordVariants",
                 scriptWithNodes(copyTo("FILERECORD \"f\".\"ix\"", "FILERECORDFIELD \"f\".Last.\"g\".3, APPEND")),
                 {0x0164, 2, 0x011A, 0x0176, 0x0161, 0x0177, 0x0164, 5, 0x011B, 0x0176, 0x016B, 295, 0x0161, 0x0178,
                  0x0122, 3, 0x016B, 258}},
        CodeCase{"RegisterFieldCountsThree", scriptWithNodes(copyTo("REGFIELD \"R\".\"T\".2", "FILE \"f\"")),
                 {0x0164, 3, 0x013C, 0x0173, 0x0150, 0x0176, 0x0122, 2, 0x0164, 1, 0x0119, 0x0177}},
        CodeCase{"VerifyClassOnlyAndEmptyDestination",
                 scriptWithNodes("Verify \"F.V\" ( Source( REG \"R\" ), Special( NUMERIC ), Destination(), Branch( Return \"F.R\", Return \"F.R\" ) ),\n" + std::string(kReturnNode)),
                 {0x0164, 1, 0x016B, 307, 0x0164, 0, 0x0164, 2}},
        CodeCase{"VerifyRangeAndIgnoreCase",
                 scriptWithNodes("Verify \"F.V\" ( Source( REG \"R\", ASCII ), Special( ALPHA, Range( LITERAL \"a\", REG \"R\" ), IGNORECASE ), Destination( REG \"R\", INSERT ), Branch( Return \"F.R\", Return \"F.R\" ) ),\n" + std::string(kReturnNode)),
                 {0x0164, 2, 0x013B, 0x0173, 0x016B, 259, 0x0164, 4, 0x016B, 257, 0x012A, 0x6100, 0x013B, 0x0173,
                  0x016B, 287, 0x0164, 2, 0x013B, 0x0173, 0x016B, 289}},
        CodeCase{"InputChannelsTimeoutAndShow",
                 scriptWithNodes("Input \"F.I\" ( Source( WAND|KEYBOARD|Timeout(30) ), Special( REG \"R\", OVERWRITE, Show( Row(1), Column(2), Clear(80) ) ), Destination( REG \"R\" ), Branch( Return \"F.R\", Return \"F.R\" ) ),\n" + std::string(kReturnNode)),
                 {0x0164, 4, 0x0159, 341, 0x0159, 292, 0x0159, 0x0151, 0x0122, 30, 0x0164, 5, 0x0122, 1, 0x0122, 2,
                  0x0122, 80, 0x013B, 0x0173, 0x016B, 309, 0x0164, 1}},
        CodeCase{"MathOperandBeforeOperation",
                 scriptWithNodes("Math \"F.M\" ( Source( REG \"R\" ), Special( MOD, LITERAL \"7\" ), Destination( REG \"R\" ), Branch( Return \"F.R\" ) ),\n" + std::string(kReturnNode)),
                 {0x0164, 2, 0x012A, 0x3700, 0x016B, 302}},
        CodeCase{"ModifyReplace",
                 scriptWithNodes("Modify \"F.M\" ( Source( REG \"R\" ), Special( Replace( LITERAL \"a\", NOLITERAL, IGNORECASE ) ), Destination( REG \"R\" ), Branch( Return \"F.R\" ) ),\n" + std::string(kReturnNode)),
                 {0x0164, 3, 0x012A, 0x6100, 0x0132, 0x016B, 287}},
        CodeCase{"OutputChannel",
                 scriptWithNodes("Output \"F.O\" ( Source( LITERAL \"a\" ), Special(), Destination( WEDGE ), Branch( Return \"F.R\", Return \"F.R\" ) ),\n" + std::string(kReturnNode)),
                 {0x0164, 1, 0x0159, 342, 0x0164, 2}},
        CodeCase{"SubroutineWithBranchListHasCodeTwice",
                 "Declarations (\nREG \"R\"\n)\nFrame \"F\" ( " + std::string(kReturnNode) + " );\nSubroutine \"S\" ( Exit Frame \"F\" Return \"S.R\" ( Source(), Special(), Destination(), Branch() ) )",
                 {0x014D, 0x0176, 0x0164, 1, 0x0161, 0x0174, 0x014D, 0x0176, 0x013F}},
        CodeCase{"DisplayLiteralWithoutLanguageIsHex",
                 scriptWithNodes("Display \"F.D\" ( Source( DISPLAYLITERAL \"B0 A1 C4\", NOLITERAL, NOLITERAL ), Special(), Destination(), Branch( Return \"F.R\" ) ),\n" + std::string(kReturnNode)),
                 {0x012A, 0xB0A1, 0xC400, 0x0132}},
        CodeCase{"OperandEqualToCallCodeIsNotResolved",
                 scriptWithNodes(copyTo("FILERECORD \"f\".262", "REG \"R\"")), {0x011A, 0x0176, 0x0122, 262, 0x0164}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Symbols, QualifiedNamesAndBranchTargets) {
    // Copy nodes named A in two frames and a field named A are three different symbols.
    std::string copyA = "Copy \"A\" ( Source( LITERAL \"x\" ), Special(), Destination( REG \"R\" ), Branch( Copy \"A\" ) )";
    std::string script = "Declarations (\nFIELD \"A\".1\n)\nFrame \"F1\" ( " + copyA + " );\nFrame \"F2\" ( " + copyA + " )";
    CollectedMessages messages;
    auto words = wordsOf(compiled(script, messages, true).recordText);
    // VarFieldA 371, F1 372, F1copyA 373, VarRegR 374, F2 375, F2copyA 376
    EXPECT_TRUE(containsRun(words, {0x0118, 371}));
    EXPECT_TRUE(containsRun(words, {0x011D, 372, 0x010D, 373}));
    EXPECT_TRUE(containsRun(words, {0x011D, 375, 0x010D, 376}));

    // With a Language line the target carries its frame in front of the node name.
    std::string withLanguage = "Portable \"VK7100\"\nLanguage \"Wst8\"\nSystemFontSize 8\n"
        "Declarations (\nREG \"R\"\n)\nFrame \"G\" ( Copy \"F.N1\" ( Source( LITERAL \"x\" ), Special(), Destination( REG \"R\" ), Branch( Copy \"F.N1\" ) ) )";
    CollectedMessages more;
    auto result = compiled(withLanguage, more, true);
    EXPECT_NE(result.listingText.find("label constant \"FcopyF.N1\""), std::string::npos);
    EXPECT_NE(result.listingText.find(";Copy \"GcopyF.N1\""), std::string::npos);
}

TEST(Symbols, MoreThan2000NamesStopTheCompile) {
    // Each Copy node brings four new names: the node, two files and its target.
    std::string nodes;
    for (int i = 0; i < 700; ++i) {
        std::string n = std::to_string(i);
        nodes += "Copy \"C" + n + "\" ( Source( FILE \"a" + n + "\" ), Special(), Destination( FILE \"b" + n +
                 "\" ), Branch( Copy \"T" + n + "\" ) ),\n";
    }
    std::string script = scriptWithNodes(nodes + kReturnNode);
    CollectedMessages messages;
    auto result = compileText(script, messages);
    EXPECT_TRUE(result.accepted);
    EXPECT_FALSE(result.hexGenerated);
    EXPECT_TRUE(result.imageText.empty());
    EXPECT_EQ(messages.logLines[messages.logLines.size() - 2], "Error: The program uses more than 2000 names.");
    EXPECT_EQ(messages.logLines.back(), "Program Failed HEX Code Generation Phase.");
}

TEST(Symbols, NumbersBeyond16BitsStopTheCompile) {
    CollectedMessages messages;
    auto result = compileText("Declarations (\nREG \"R\".70000\n)\nFrame \"F\" ( " + std::string(kReturnNode) + " )", messages);
    EXPECT_FALSE(result.hexGenerated);
}

// A script of frames of Display nodes that all branch to the first one; `textLength`
// sets the size of each node's code.
std::string manyDisplays(int frames, int perFrame, int textLength, const std::string& header = "") {
    std::string text = "LITERAL \"" + std::string(textLength, 't') + "\"";
    std::string script = header + "Declarations (\nREG \"R\"\n)\n";
    for (int f = 0; f < frames; ++f) {
        std::string name = "F" + std::to_string(f);
        script += (f ? ";\nFrame \"" : "Frame \"") + name + "\" (\n";
        for (int i = 0; i < perFrame; ++i)
            script += "Display \"" + name + ".D" + std::to_string(i) + "\" ( Source( " + text + ", " + text + ", " +
                      text + " ), Special(), Destination(), Branch( Display \"F0.D0\" ) ),\n";
        script += "Return \"" + name + ".R\" ( Source(), Special(), Destination(), Branch() ) )";
    }
    return script;
}

TEST(Image, WrapsPast32KilobytesWithOneWarning) {
    CollectedMessages messages;
    auto result = compiled(manyDisplays(2, 60, 100), messages);
    auto records = readRecords(result.recordText);
    bool wrapped = false;
    for (size_t i = 1; i + 1 < records.size(); ++i) {
        const Record& r = records[i];
        EXPECT_LE(r.address + r.data.size(), 0x10000u);
        if (r.address == 0 && r.type == 0) wrapped = true;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(messages.consoleText.find("WARNING - Application will occupy RAM.\n"),
              messages.consoleText.rfind("WARNING - Application will occupy RAM.\n"));
    EXPECT_NE(messages.consoleText.find("WARNING - Application will occupy RAM.\n"), std::string::npos);

    CollectedMessages western;
    compiled(manyDisplays(2, 60, 100, "Portable \"P\"\nLanguage \"Wst8\"\nSystemFontSize 8\n"), western);
    EXPECT_EQ(western.consoleText.find("WARNING"), std::string::npos);
}

TEST(Image, BranchTargetsResolveAcrossRecordEnds) {
    CollectedMessages messages;
    auto result = compiled(manyDisplays(1, 40, 0), messages);
    // Each Display's last word is its target; every one must point at the first Display's code word.
    auto records = readRecords(result.imageText);
    std::vector<uint8_t> bytes;
    for (const Record& r : records)
        if (r.type == 0) bytes.insert(bytes.end(), r.data.begin(), r.data.end());
    int resolved = 0, atRecordEnd = 0;
    size_t offset = 0;
    for (const Record& r : records) {
        if (r.type != 0) continue;
        for (size_t i = 0; i + 3 < r.data.size() + 2 && i + 1 < r.data.size(); i += 2) {
            uint16_t word = static_cast<uint16_t>(r.data[i] | r.data[i + 1] << 8);
            if (word == 0x0161 && offset + i + 3 < bytes.size()) {
                uint16_t target = static_cast<uint16_t>(bytes[offset + i + 2] | bytes[offset + i + 3] << 8);
                EXPECT_EQ(target, 0x8000 + 4 + 4 + 4) << "at " << offset + i;  // after REG decl and frame
                ++resolved;
                if (i + 2 == r.data.size()) ++atRecordEnd;
            }
        }
        offset += r.data.size();
    }
    EXPECT_EQ(resolved, 40);
    EXPECT_GT(atRecordEnd, 0);
}

TEST(Image, EndOfCodeRecordAndChecksums) {
    CollectedMessages messages;
    auto result = compiled(scriptWithNodes(kReturnNode), messages);
    auto records = readRecords(result.imageText);
    // The end-of-code record is six bytes of its own; every data record's checksum holds.
    const Record& end = records[records.size() - 2];
    ASSERT_EQ(end.data.size(), 6u);
    EXPECT_EQ(end.data[0], 0x70);
    EXPECT_EQ(end.data[1], 0x01);
    EXPECT_EQ(end.data[2], 0x70);
    EXPECT_EQ(end.data[3], 0x01);
    unsigned sum = 0;
    for (const Record& r : records)
        if (r.type == 0) for (uint8_t b : r.data) sum += b;
    EXPECT_EQ(sum & 0xFF, 0u) << "program checksum word balances the data bytes to 0 or 256";
    EXPECT_EQ(records[1].data, (std::vector<uint8_t>{0x00, 0x01}));
    EXPECT_EQ(records[2].type, 0x02u) << "VK7100 has no model header";
}

TEST(Image, SrecordReadsTheSameBytes) {
    if (std::system("command -v srec_cat > /dev/null 2>&1") != 0) GTEST_SKIP() << "srec_cat not installed";
    const std::string scripts[] = {kWorkedExample, manyDisplays(2, 60, 100)};
    auto folder = std::filesystem::temp_directory_path() / ("tarvocomp_srec_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (const std::string& script : scripts) {
        CollectedMessages messages;
        auto result = compiled(script, messages);
        std::string hexData = result.imageText.substr(result.imageText.find(":020000023000CC"));
        for (const std::string& text : {result.recordText, hexData}) {
            auto input = folder / "in.hex", output = folder / "out.bin";
            std::ofstream(input, std::ios::binary) << text;
            // The 16-bit wrap puts 0x0000 after 0xFFFF by design; every other complaint counts.
            std::string command = "srec_cat -disable-sequence-warnings " + input.string() + " -Intel -offset -0x30000 -o " + output.string() +
                                  " -Binary 2> " + (folder / "err.txt").string();
            ASSERT_EQ(std::system(command.c_str()), 0);
            std::ifstream err(folder / "err.txt");
            std::string complaint((std::istreambuf_iterator<char>(err)), {});
            EXPECT_EQ(complaint, "");
            std::ifstream bin(output, std::ios::binary);
            std::vector<uint8_t> image((std::istreambuf_iterator<char>(bin)), {});
            for (const Record& r : readRecords(text)) {
                if (r.type != 0) continue;
                for (size_t i = 0; i < r.data.size(); ++i) {
                    ASSERT_LT(r.address + i, image.size());
                    ASSERT_EQ(image[r.address + i], r.data[i]) << "address " << r.address + i;
                }
            }
        }
    }
    std::filesystem::remove_all(folder);
}

TEST(Fonts, GlyphIndexesOfBothCodePages) {
    EXPECT_EQ(glyphIndexOf(0x4E2D, 936), 16388);
    EXPECT_EQ(glyphIndexOf(0x4E2D, 950), 632);
    EXPECT_EQ(glyphIndexOf(0x0041, 936), 0x41 - 0x20);
    EXPECT_EQ(glyphIndexOf(0x000A, 936), std::nullopt);
    EXPECT_EQ(glyphIndexOf(0xD800, 950), std::nullopt);
}

class FontBlock : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("tarvocomp_fonts_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // A glyph file whose glyph i holds the bytes (i & 0xFF) and ((i >> 8) & 0xFF) alternately.
    void writeGlyphFile(const char* name, long glyphs) {
        std::ofstream out(folder_ / name, std::ios::binary);
        for (long i = 0; i < glyphs; ++i)
            for (int b = 0; b < kGlyphBytes; ++b) out.put(static_cast<char>(b % 2 ? (i >> 8) & 0xFF : i & 0xFF));
    }
    CompileResult compileChinese(const std::string& language, const std::string& charsets, CollectedMessages& messages) {
        CompileOptions options;
        options.fontDirectory = folder_.string();
        std::string header = "Portable \"Strix VK81\"\nLanguage \"" + language + "\"\n" + charsets + "SystemFontSize 12\n";
        return compileScript(scriptWithNodes(kReturnNode, header), options, messages);
    }
    std::filesystem::path folder_;
};

TEST_F(FontBlock, MarkerAndGlyphRecordsFollowTheEndOfCode) {
    writeGlyphFile("cp936all.bmf", 16400);
    CollectedMessages messages;
    auto result = compileChinese("Chs", "Charset 2 \"4e2d 0041\"\n", messages);
    ASSERT_TRUE(result.hexGenerated) << messages.logLines.back();
    EXPECT_NE(result.recordText.find(":0A80"), std::string::npos);
    EXPECT_NE(result.recordText.find("514F525F464F4E540000"), std::string::npos);
    EXPECT_NE(result.imageText.find("4F515F524F46544E0000"), std::string::npos);
    auto records = readRecords(result.imageText);
    const Record& first = records[records.size() - 3];
    const Record& second = records[records.size() - 2];
    ASSERT_EQ(first.data.size(), 24u);
    // Glyph 16388 = 0x4004: the swap turns 04 40 into 40 04; no glyph word is replaced.
    EXPECT_EQ(first.data[0], 0x40);
    EXPECT_EQ(first.data[1], 0x04);
    EXPECT_EQ(second.data[0], 0x00);
    EXPECT_EQ(second.data[1], 0x21);
}

TEST_F(FontBlock, FailuresAndLanguagesWithoutFonts) {
    struct Case { std::string language; std::string charsets; bool withFile; bool generated; const char* logLine; };
    const Case cases[] = {
        {"Chs", "", false, false, "Error locating bitmap file"},
        {"Cht", "Charset 1 \"4e2d\"\n", false, false, "Error locating bitmap file"},
        {"Chs", "Charset 1 \"4e2d\"\n", true, false, "Error finding character"},  // file too short
        {"Chs", "Charset 1 \"zzzz\"\n", true, false, "Error finding character"},
        {"Chs", "", true, true, nullptr},
        {"Jpn", "", false, true, "Language not supported"},
        {"Wst8", "", false, true, nullptr},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(folder_ / "cp936all.bmf");
        std::filesystem::remove(folder_ / "cp950all.bmf");
        if (c.withFile) writeGlyphFile(c.language == "Chs" ? "cp936all.bmf" : "cp950all.bmf", 100);
        CollectedMessages messages;
        auto result = compileChinese(c.language, c.charsets, messages);
        EXPECT_EQ(result.hexGenerated, c.generated) << c.language << c.charsets;
        bool logged = false;
        for (const auto& line : messages.logLines) logged |= c.logLine && line == c.logLine;
        if (c.logLine) {
            EXPECT_TRUE(logged) << c.logLine;
        }
        if (!c.generated) {
            EXPECT_EQ(messages.logLines.back(), "Program Failed HEX Code Generation Phase.");
        }
        bool hasMarker = result.recordText.find("514F525F464F4E54") != std::string::npos;
        EXPECT_EQ(hasMarker, c.generated && (c.language == "Chs" || c.language == "Cht"));
    }
}

}  // namespace
}  // namespace tarvo::compiler
