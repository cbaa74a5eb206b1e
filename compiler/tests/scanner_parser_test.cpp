// Lexical rules of the scanner and the forms the grammar accepts or refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "parse_state.h"
#include "script_builder.h"
#include "tarvo/compiler/op_codes.h"

namespace tarvo::compiler {
namespace {

using testing::compileText;
using testing::kReturnNode;
using testing::scriptWithNodes;

std::vector<int> tokensOf(const std::string& text, std::string* skipped = nullptr) {
    CollectedMessages messages;
    ParseState state(messages);
    std::vector<int> tokens;
    for (const ScannedToken& t : scanAll(state, text.data(), text.size())) tokens.push_back(t.token);
    if (skipped) *skipped = messages.consoleText;
    return tokens;
}

struct LexCase {
    const char* name;
    std::string input;
    std::vector<int> tokens;
};

class LexicalRules : public ::testing::TestWithParam<LexCase> {};

TEST_P(LexicalRules, YieldsTokens) {
    EXPECT_EQ(tokensOf(GetParam().input), GetParam().tokens) << GetParam().input;
}

const std::string kQuote = "\"";
INSTANTIATE_TEST_SUITE_P(
    Scanner, LexicalRules,
    ::testing::Values(
        LexCase{"LineStartKeywordAtFileStart", "Declarations", {270}},
        LexCase{"IndentedLineStartKeywordIsNotOne", " Declarations", {}},
        LexCase{"LineStartKeywordAfterCommentOnSameLine", "/* c */Declarations", {}},
        LexCase{"LineStartKeywordOnLaterLine", "Frame\nPortable\nCharset\nLanguage\nSystemFontSize",
                {285, 311, 263, 294, 335}},
        LexCase{"SixDigitsAreTwoIntegers", "123456", {290, 290}},
        LexCase{"LongestKeywordWins", "FILE FILERECORD FILERECORDFIELD DISPLAY DISPLAYLITERAL REG REGFIELD",
                {281, 282, 283, 273, 274, 315, 316}},
        LexCase{"KeywordNeedsNoWordBoundary", "Framework", {285}},
        LexCase{"LowerCaseWordsAreSkipped", "frame display", {}},
        LexCase{"BothSpellingsOfFirstAndLast", "FIRST First LAST Last", {284, 284, 295, 295}},
        LexCase{"PunctuationTokens", "|,.=?();", {260, 268, 277, 279, 312, 296, 321, 326}},
        LexCase{"TokensOutsideTheGrammar", "Node LEFT RIGHT SETSYSPARSE RESETSYSPARSE SINGLECHAR",
                {305, 324, 325, 328, 318, 330}},
        LexCase{"EmptyComment", "/**/Frame", {285}},
        LexCase{"TwoAsterisksBeforeSlashDoNotClose", "/* a **/ Frame */Call", {262}},
        LexCase{"UnclosedCommentIsScannedAsText", "/* Frame", {285}},
        LexCase{"QuotedTextBrokenByNewline", kQuote + "Frame\nCall", {285, 262}},
        LexCase{"QuotedTextOf129Characters", kQuote + std::string(129, 'x') + kQuote, {298}},
        LexCase{"QuotedTextOf130CharactersIsNotOne",
                kQuote + "Call" + std::string(126, 'x') + kQuote + "a" + kQuote, {262, 298}},
        LexCase{"LoneCarriageReturnIsSkipped", "Frame\r\nCall", {285, 262}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Scanner, TokenValuesAndLines) {
    CollectedMessages messages;
    ParseState state(messages);
    std::string text = "\n\n\"abc\" 00042\n/* x\n y */ Frame";
    auto tokens = scanAll(state, text.data(), text.size());
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].text, "abc");
    EXPECT_EQ(tokens[0].line, 3);
    EXPECT_EQ(tokens[1].number, 42);
    EXPECT_EQ(tokens[2].line, 5);
}

TEST(Scanner, SkippedCharactersGoToStandardOutput) {
    std::string skipped;
    tokensOf("Frame#work", &skipped);
    EXPECT_EQ(skipped, "#work");
}

struct OverflowCase {
    const char* name;
    std::string input;
    bool aborts;
};

class TokenBuffer : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(TokenBuffer, LongAttemptsAbortTheScan) {
    std::vector<int> tokens = tokensOf(GetParam().input);
    bool aborted = std::find(tokens.begin(), tokens.end(), -2) != tokens.end();
    EXPECT_EQ(aborted, GetParam().aborts);
}

std::string commentOf(size_t total) { return "/*" + std::string(total - 4, 'c') + "*/"; }

INSTANTIATE_TEST_SUITE_P(
    Scanner, TokenBuffer,
    ::testing::Values(
        OverflowCase{"CommentOf1000", commentOf(1000) + "Frame", false},
        OverflowCase{"CommentOf1001", commentOf(1001) + "Frame", true},
        OverflowCase{"WhiteSpaceOf999", std::string(999, ' ') + "Frame", false},
        OverflowCase{"WhiteSpaceOf1000", std::string(1000, ' ') + "Frame", true},
        OverflowCase{"UnclosedShortComment", "/*" + std::string(900, 'x'), false},
        OverflowCase{"UnclosedLongComment", "/*" + std::string(1200, 'x'), true},
        OverflowCase{"UnclosedLongQuote", "\"" + std::string(1200, 'x'), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Parser, TokenBufferOverflowEndsCompileWithItsMessage) {
    CollectedMessages messages;
    auto result = compileText(scriptWithNodes(kReturnNode) + std::string(1200, ' '), messages);
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(messages.logLines.back(), "Token buffer overflow");
}

struct GrammarCase {
    const char* name;
    std::string script;
    int errorLine;  // 0: accepted
};

class Grammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(Grammar, AcceptsOrRefuses) {
    CollectedMessages messages;
    CompileResult result = compileText(GetParam().script, messages);
    int syntaxLines = 0;
    std::string errorLine;
    for (const auto& line : messages.logLines)
        if (line.rfind("Syntax Error", 0) == 0) { ++syntaxLines; errorLine = line; }
    if (GetParam().errorLine == 0) {
        EXPECT_TRUE(result.accepted) << errorLine;
        EXPECT_EQ(syntaxLines, 0);
    } else {
        EXPECT_FALSE(result.accepted);
        EXPECT_EQ(syntaxLines, 1);
        EXPECT_EQ(errorLine, "Syntax Error (line " + std::to_string(GetParam().errorLine) + ")");
        EXPECT_TRUE(result.imageText.empty());
    }
}

std::string display(int texts, const char* keyword = "Display") {
    std::string source;
    for (int i = 0; i < texts; ++i) source += i ? ", NOLITERAL" : "NOLITERAL";
    return std::string(keyword) + " \"F.D\" ( Source(" + source + "), Special(), Destination(), Branch( " +
           (std::string(keyword) == "Menu" ? "Return \"F.R\"" : "Return \"F.R\"") + " ) ),\n" + kReturnNode;
}

const char* const kHeader = "Portable \"Strix VK81\"\nLanguage \"Wst12\"\nSystemFontSize 12\n";

INSTANTIATE_TEST_SUITE_P(
    Scripts, Grammar,
    ::testing::Values(
        GrammarCase{"DeclarationsAndFramesOnly", scriptWithNodes(kReturnNode), 0},
        GrammarCase{"FullHeader", scriptWithNodes(kReturnNode, kHeader), 0},
        GrammarCase{"CharsetBetweenLanguageAndFontSize",
                    scriptWithNodes(kReturnNode, "Portable \"P\"\nLanguage \"Chs\"\nCharset 2 \"4e2d 6587\"\nSystemFontSize 12\n"), 0},
        GrammarCase{"CharsetWithoutSeparatorRefused",
                    scriptWithNodes(kReturnNode, "Portable \"P\"\nLanguage \"Chs\"\nCharset 2 \"4e2d6587\"\nSystemFontSize 12\n"), 3},
        GrammarCase{"PortableWithoutFontSizeRefused", scriptWithNodes(kReturnNode, "Portable \"P\"\nLanguage \"Wst8\"\n"), 3},
        GrammarCase{"PortableWithoutLanguageRefused", scriptWithNodes(kReturnNode, "Portable \"P\"\nSystemFontSize 8\n"), 2},
        GrammarCase{"EmptyDeclarationBlockRefused", "Declarations (\n)\nFrame \"F\" ( " + std::string(kReturnNode) + " )", 2},
        GrammarCase{"TrailingSemicolonRefused", scriptWithNodes(kReturnNode) + ";", 7},
        GrammarCase{"DisplayOfThreeTexts", scriptWithNodes(display(3)), 0},
        GrammarCase{"DisplayOfFiveTexts", scriptWithNodes(display(5)), 0},
        GrammarCase{"DisplayOfEightTexts", scriptWithNodes(display(8)), 0},
        GrammarCase{"DisplayOfSevenTextsRefused", scriptWithNodes(display(7)), 5},
        GrammarCase{"DisplayOfNineTextsRefused", scriptWithNodes(display(9)), 5},
        GrammarCase{"MenuOfFourTexts", scriptWithNodes(display(4, "Menu")), 0},
        GrammarCase{"MenuOfFiveTextsRefused", scriptWithNodes(display(5, "Menu")), 5},
        GrammarCase{"FieldWithThreeIntegers", "Declarations (\nFIELD \"A\".1.2.3\n)\nFrame \"F\" ( " + std::string(kReturnNode) + " )", 0},
        GrammarCase{"FieldWithFourIntegersRefused", "Declarations (\nFIELD \"A\".1.2.3.4\n)\nFrame \"F\" ( " + std::string(kReturnNode) + " )", 2},
        GrammarCase{"InsertFileDestinationRefused",
                    scriptWithNodes("Copy \"F.C\" ( Source( LITERAL \"x\" ), Special(),\nDestination( FILE \"f\".First, INSERT ), Branch( Return \"F.R\" ) ),\n" + std::string(kReturnNode)), 6},
        GrammarCase{"NoReferenceTargetRefused",
                    scriptWithNodes("Copy \"F.C\" ( Source( LITERAL \"x\" ), Special(), Destination( REG \"R\" ),\nBranch( Exit Exit \"F.X\" NO_REF \"\" ) ),\n" + std::string(kReturnNode)), 6},
        GrammarCase{"DoubleByteRowWithSecondText",
                    scriptWithNodes("Display \"F.D\" ( Source( DISPLAYLITERAL \"01 1a \" \"ab\", NOLITERAL, NOLITERAL ), Special(), Destination(), Branch( Return \"F.R\" ) ),\n" + std::string(kReturnNode)), 0},
        GrammarCase{"NestedFramesAfterNodes",
                    scriptWithNodes(std::string(kReturnNode) + ",\nFrame \"F.G\" ( Return \"F.G.R\" ( Source(), Special(), Destination(), Branch() ) ); Frame \"F.H\" ( Branch( Return \"F.H.R\" ) )"), 0},
        GrammarCase{"StrayTokenAfterLastFrame", scriptWithNodes(kReturnNode) + "Frame \"G\" ( " + kReturnNode + " )", 7},
        GrammarCase{"ErrorOnLine57", scriptWithNodes(std::string(52, '\n') + "Copy )"), 57},
        GrammarCase{"EmptyScript", "", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Parser, StackOverflowReportsHints) {
    std::string nodes;
    for (int i = 0; i < 1100; ++i) nodes += std::string(kReturnNode) + ",\n";
    nodes += kReturnNode;
    CollectedMessages messages;
    auto result = compileText(scriptWithNodes(nodes), messages);
    EXPECT_FALSE(result.accepted);
    ASSERT_GE(messages.logLines.size(), 3u);
    std::vector<std::string> tail(messages.logLines.end() - 3, messages.logLines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Parser stack overflow", "Your program may have too many nodes in a frame",
                                              "or have too many fields defined in a template."}));
}

TEST(Parser, HeaderSettingsAreRecorded) {
    struct Case { std::string header; std::string model; int language; int fontSize; };
    const Case cases[] = {
        {"", "VK7100", 5, 2},
        {"Portable \"Strix VK61\"\nLanguage \"Wst8\"\nSystemFontSize 8\n", "Strix VK61", 0, 0},
        {"Portable \"X\"\nLanguage \"Cht\"\nSystemFontSize 12\n", "X", 3, 1},
        {"Portable \"X\"\nLanguage \"Jpn\"\nSystemFontSize 16\n", "X", 4, 2},
        {"Portable \"X\"\nLanguage \"wst8\"\nSystemFontSize 16\n", "X", 5, 2},
    };
    for (const Case& c : cases) {
        CollectedMessages messages;
        auto result = compileText(scriptWithNodes(kReturnNode, c.header), messages);
        EXPECT_TRUE(result.accepted) << c.header;
        EXPECT_EQ(result.settings.modelText, c.model);
        EXPECT_EQ(result.settings.languageIndex, c.language);
        EXPECT_EQ(result.settings.fontSizeIndex, c.fontSize);
    }
}

TEST(Parser, CharsetsBeyond255CharactersFail) {
    std::string header = "Portable \"P\"\nLanguage \"Chs\"\n";
    std::string codes;
    for (int i = 0; i < 10; ++i) codes += i ? " 4e2d" : "4e2d";
    for (int line = 0; line < 26; ++line) header += "Charset 10 \"" + codes + "\"\n";
    header += "SystemFontSize 12\n";
    CollectedMessages messages;
    auto result = compileText(scriptWithNodes(kReturnNode, header), messages);
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(messages.logLines.back(), "Error: Charset lines list more than 255 characters.");
}

TEST(Parser, LogLinesOfASuccessfulCompile) {
    CollectedMessages messages;
    auto result = compileText(scriptWithNodes(kReturnNode), messages);
    ASSERT_TRUE(result.hexGenerated);
    EXPECT_EQ(messages.logLines, (std::vector<std::string>{
        "Syntax Checking of Declarations OK", "Syntax of Return Node F.R OK", "Syntax of Frame F OK",
        "HEX conversion of Program follows :", "Declarations Completed Compile Phase 1.",
        "Code Completed Compile Phase 2.", "Language not supported",
        "Program Completed HEX Code Generation Phase.", "Syntax of Frame F OK", "Node Count = 1"}));
    EXPECT_EQ(messages.consoleText, " 1 Nodes\n");
}

}  // namespace
}  // namespace tarvo::compiler

namespace tarvo::compiler {
namespace {

// Laid out as the generator writes scripts: header comment, indentation, comments with
// positions and descriptions, Entry records in comments, REGFIELD field-name comments.
const char* const kGeneratorStyleScript = R"(/* Tarvo Script Program : /home/u/App.scr @ 10 10 5 5 60 40 50 30 "Sans" -13 C00 3 */
Portable "Strix VK81"
Language "Wst12"
SystemFontSize 12
Declarations (
    REG "Count".128,
    REG "Name".128,
    FILE "Orders",
    FIELD "Day".2,
    FIELD "Sep".0.47,
    TEMPLATE "Date" (
        "Day",
        "Sep" )
)
Frame "App"( /* 10 10 */
    /* Description(" ") */
    /* Entry "App"( 5 5 )*/
        Branch (Menu "App.M1" /* 20 30 */ )
    /* Exit "X1"( 40 40 */
        /* Description(" ") */
        /* Branch( Display "App.D1" )) */
    Menu "App.M1"( /* 60 60 */
        /* Description("first\nsecond") */
        Source(DISPLAYLITERAL "Main", NOLITERAL, DISPLAYLITERAL "1 Count", DISPLAYLITERAL "2 Exit"),
        Special(),
        Destination(),
        Branch( Input "App.I1", Call "App.K1", Input "App.I1", Input "App.I1", Input "App.I1", Input "App.I1", Input "App.I1", Input "App.I1")),
    Input "App.I1"( /* 80 80 */
        /* Description(" ") */
        Source(WAND|KEYBOARD|Timeout(30)),
        Special(REG "Count", OVERWRITE, Show(Row(255),Column(255),Clear(0))),
        Destination(REGFIELD "Name"."Date".1/*Day*/),
        Branch( Math "App.A1", Input "App.I1", Menu "App.M1", Menu "App.M1")),
    Math "App.A1"( /* 90 90 */
        /* Description(" ") */
        Source(REG "Count"),
        Special(PLUS, LITERAL "1"),
        Destination(REG "Count", OVERWRITE),
        Branch( Verify "App.V1", Menu "App.M1" /* 1 2 3 4 */)),
    Verify "App.V1"( /* 90 90 */
        /* Description(" ") */
        Source(FILE "Orders", ASCII),
        Special(NUMERIC, Range(LITERAL "1", REG "Count"), IGNORECASE),
        Destination(REG "Count",OVERWRITE),
        Branch( Output "App.O1", Output "App.O1")),
    Output "App.O1"( /* 90 90 */
        /* Description(" ") */
        Source(FILERECORD "Orders".Last),
        Special(),
        Destination(SERIAL),
        Branch( Modify "App.Y1", Menu "App.M1")),
    Modify "App.Y1"( /* 90 90 */
        /* Description(" ") */
        Source(REG "Name"),
        Special(Replace(LITERAL "a", LITERAL "b")),
        Destination(REG "Name", OVERWRITE),
        Branch( Copy "App.C1")),
    Copy "App.C1"( /* 90 90 */
        /* Description(" ") */
        Source(LITERAL "x"),
        Special(),
        Destination(FILERECORD "Orders"."Count", APPEND),
        Branch( Display "App.D1", Display "App.D1")),
    Display "App.D1"( /* 90 90 */
        /* Description(" ") */
        Source(DISPLAYLITERAL "Done", NOLITERAL, NOLITERAL, NOLITERAL),
        Special(),
        Destination(),
        Branch( Exit Menu "App.X1" /* */)),
    Call "App.K1"( /* 90 90 */
        /* Description(" ") */
        Source(),
        Special(),
        Destination(),
        Branch( Subroutine "Sub1", Menu "App.M1" ) ),
    Frame "App.Child"( /* 10 10 */
        /* Description(" ") */
        /* Entry "App.Child"( 5 5 )*/
            Branch (Exit Exit "App.X1" Menu "App.M1")
    ));
Subroutine "Sub1"( /* 10 10 */
    /* Description(" ") */
    /* Entry "Sub1"( 5 5 )*/
        Branch (Return "Sub1.Return" )
    Return "Sub1.Return"( /* 10 10 */
        /* Description(" ") */
        Source(),
        Special(),
        Destination(),
        Branch()))
)";

TEST(Parser, GeneratorStyleScriptCompiles) {
    CollectedMessages messages;
    auto result = compileText(kGeneratorStyleScript, messages);
    EXPECT_TRUE(result.hexGenerated) << (messages.logLines.empty() ? "" : messages.logLines.back());
}

}  // namespace
}  // namespace tarvo::compiler
