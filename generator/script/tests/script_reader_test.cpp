#include "tarvo/script/script_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "random_app.h"
#include "recording_prompter.h"
#include "tarvo/script/script_messages.h"
#include "tarvo/script/script_writer.h"
#include "test_apps.h"

namespace tarvo::script {
namespace {

using namespace testing;
using Ids = std::vector<int>;

const std::string kPath = "/work/App.scr";

std::unique_ptr<CDocContext> readBack(const std::string& text, RecordingPrompter& p,
                                      const std::string& path = kPath) {
    return ScriptReader(p).loadText(text, path);
}

// The first line where two texts differ, with its number, or "" when equal.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::istringstream sa(unixText(a)), sb(unixText(b));
    std::string la, lb;
    for (int n = 1;; ++n) {
        bool ha = static_cast<bool>(std::getline(sa, la));
        bool hb = static_cast<bool>(std::getline(sb, lb));
        if (!ha && !hb) return "";
        if (ha != hb || la != lb) return "line " + std::to_string(n) + ":\n" + la + "\n" + lb;
    }
}

// Counts every flow node of the application, frames and subroutines included.
int countNodes(CDocContext& doc) {
    int n = 0;
    doc.forEachContainer([&](CContainerNode& c) { n += 1 + static_cast<int>(c.nodes().size()); });
    return n;
}

TEST(ScriptReader, RandomApplicationsReadBackAndWriteBackIdentically) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto doc = RandomApp(seed).build(60, seed % 4 == 0);
        std::string first = ScriptWriter::write(*doc, kPath);
        RecordingPrompter p;
        auto back = readBack(first, p);
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(p.shown.empty()) << p.shown.front().messageId;
        EXPECT_EQ(countNodes(*back), countNodes(*doc));
        EXPECT_EQ(back->settings.promptLanguage, doc->settings.promptLanguage);
        EXPECT_EQ(back->settings.otherLanguage, doc->settings.otherLanguage);
        EXPECT_EQ(back->charset(), doc->charset().size() ? back->charset() : DisplayCharset{});
        EXPECT_EQ(back->settings.previousVersion, 0);
        std::string second = ScriptWriter::write(*back, kPath);
        ASSERT_EQ(firstDifference(second, first), "");
        EXPECT_EQ(second, first);
    }
}

TEST(ScriptReader, ReadsNodesLinksPositionsAndDescriptions) {
    auto doc = newApp();
    auto* d = add<CDisplayNode>(*doc, doc->rootFrame(), u"D1", 119.6, 40);
    d->setDescription(u"first\r\nsecond");
    d->text.rows[0] = u"Hello";
    add<CMenuNode>(*doc, doc->rootFrame(), u"Menu1");
    d->next.setTarget(NodeType::Menu, u"Menu1");
    d->next.bendPoints = {{120, 80}};
    CFrameNode* inner = addFrame(*doc, doc->rootFrame(), u"Orders");
    add<CDisplayNode>(*doc, *inner, u"D1");
    RecordingPrompter p;
    auto back = readBack(ScriptWriter::write(*doc, kPath), p);
    ASSERT_NE(back, nullptr);
    auto* rd = dynamic_cast<CDisplayNode*>(back->rootFrame().findInNodes(NodeType::Display, u"D1"));
    ASSERT_NE(rd, nullptr);
    EXPECT_EQ(rd->position, (PointD{120, 40}));
    EXPECT_EQ(rd->description(), u"first\r\nsecond");
    EXPECT_EQ(rd->text.rows[0], u"Hello");
    EXPECT_EQ(rd->next, d->next);
    CFrameNode* rinner = back->rootFrame().findChildFrame(u"Orders");
    ASSERT_NE(rinner, nullptr);
    EXPECT_EQ(rinner->parentFrame, &back->rootFrame());
    EXPECT_NE(rinner->findInNodes(NodeType::Display, u"D1"), nullptr);
    EXPECT_EQ(back->rootFrame().name(), u"App");
}

TEST(ScriptReader, OldFormatScriptNamesRootAfterFileAndKeepsPreviousVersion) {
    const std::string old =
        "/* Tarvo Script Program : C:\\apps\\Stock.scr @ 10 10 5 5 100 25 80 38 \"Arial\" -13 C00 3 */\r\n"
        "Declarations (\r\n"
        "    REG \"R\".128,\r\n"
        "    FIELD \"F\".2,\r\n"
        "    TEMPLATE \"T\" (\r\n"
        "        \"F\" ) )\r\n"
        "Frame \"Main\"( /* 10 20 */\r\n"
        "    /* Description(\" \") */\r\n"
        "    /* Entry \"Main\"( 50 30 )*/\r\n"
        "        Branch (Display \"Main.D\" )\r\n"
        "    Display \"Main.D\"( /* 100 100 */\r\n"
        "        /* Description(\" \") */\r\n"
        "        Source(DISPLAYLITERAL \"Hi\", NOLITERAL),\r\n"
        "        Special(),\r\n"
        "        Destination(),\r\n"
        "        Branch()),\r\n"
        "Subroutine \"S\"( /* 5 5 */\r\n"
        "    /* Description(\" \") */\r\n"
        "    /* Entry \"S\"( 50 30 )*/\r\n"
        "        Branch ( )\r\n"
        "    Return \"S.S\"( /* 7 7 */\r\n"
        "        /* Description(\" \") */\r\n"
        "        Source(),\r\n"
        "        Special(),\r\n"
        "        Destination(),\r\n"
        "        Branch()));\r\n";
    RecordingPrompter p;
    auto doc = readBack(old, p, "/data/Stock.scr");
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(p.shown.empty());
    EXPECT_EQ(doc->settings.previousVersion, 1);
    EXPECT_EQ(doc->rootFrame().name(), u"Stock");
    CFrameNode* main = doc->rootFrame().findChildFrame(u"Main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(doc->rootFrame().entry().next.targetType, NodeType::Frame);
    EXPECT_EQ(doc->rootFrame().entry().next.targetName, u"Main");
    EXPECT_EQ(main->entry().next.targetName, u"D");
    EXPECT_NE(doc->findSubroutine(u"S"), nullptr);
    EXPECT_EQ(main->ownedSubroutines, std::vector<std::u16string>{u"S"});
    EXPECT_EQ(doc->findSubroutine(u"S")->returnNode().position, (PointD{7, 7}));
}

TEST(ScriptReader, SettingsLinesAndHeader) {
    struct Case {
        const char* lines;
        const char16_t* other;
        int fontSize;
    };
    const Case cases[] = {
        {"SystemFontSize 12\r\n", u"Wst12", 9},
        {"SystemFontSize 8\r\n", u"Wst8", 9},
        {"SystemFontSize 10\r\n", u"Wst8", 9},
    };
    for (const auto& c : cases) {
        std::string text = std::string("/* Tarvo Script Program : x @ 1 2 3 4 111 22 88 33 \"Mono\" -13 C00 3 */\r\n"
                                       "Portable \"Strix VK81\"\r\nLanguage \"Wst12\"\r\n") +
                           c.lines +
                           "Declarations (\r\n    TEMPLATE \"T\" ( ) )\r\n"
                           "Frame \"A\"( /* 0 0 */\r\n    /* Entry \"A\"( 1 2 )*/\r\n        Branch ( ))\r\n";
        RecordingPrompter p;
        auto doc = readBack(text, p);
        ASSERT_NE(doc, nullptr) << c.lines;
        EXPECT_EQ(doc->settings.otherLanguage, c.other) << c.lines;
        EXPECT_EQ(doc->settings.fontSize, c.fontSize);
        EXPECT_EQ(doc->settings.frameWidth, 111);
        EXPECT_EQ(doc->settings.nodeHeight, 33);
        EXPECT_EQ(doc->settings.fontFace, u"Mono");
        EXPECT_EQ(doc->settings.promptLanguage, u"Wst12");
        EXPECT_EQ(doc->settings.model, 0);
        EXPECT_EQ(doc->settings.previousVersion, 0);
    }
}

const char* kHead =
    "/* Tarvo Script Program : x @ 10 10 5 5 100 25 80 38 \"Arial\" -13 C00 3 */\r\n"
    "Portable \"Strix VK81\"\r\nLanguage \"Wst8\"\r\nSystemFontSize 8\r\n"
    "Declarations (\r\n    FIELD \"Comma\".0.44,\r\n    TEMPLATE \"T\" (\r\n        \"Comma\",\r\n"
    "        \"Later\" ) )\r\n"
    "Frame \"A\"( /* 0 0 */\r\n    /* Description(\"one\\ntwo\") */\r\n"
    "    /* Entry \"A\"( 1 2 )*/\r\n        Branch ( )\r\n";

// The failures of the reader: each case is a frames part after kHead, the
// messages it shows and whether the load still succeeds.
struct FailureCase {
    const char* what;
    std::string body;
    Ids messages;
    bool loads;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.what; }

class ReaderFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReaderFailures, ShowMessagesAndEndCleanly) {
    RecordingPrompter p;
    auto doc = readBack(kHead + GetParam().body, p);
    EXPECT_EQ(doc != nullptr, GetParam().loads);
    // Message 322 always comes first: the template names an undeclared field.
    Ids expected{322};
    expected.insert(expected.end(), GetParam().messages.begin(), GetParam().messages.end());
    EXPECT_EQ(p.shownIds(), expected);
}

const std::string kDisplay =
    "    Display \"A.D\"( /* 3 4 */\r\n        Source(NOLITERAL),\r\n        Special(),\r\n"
    "        Destination(),\r\n        Branch()))\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, ReaderFailures,
    ::testing::Values(
        FailureCase{"valid", kDisplay, {}, true},
        FailureCase{"unknown node keyword", "    Gadget \"A.G\"( /* 1 1 */\r\n", {kMsgUnrecognizedNodeType}, false},
        FailureCase{"FRAME is not Frame", "    FRAME \"A.G\"( /* 1 1 */\r\n", {kMsgUnrecognizedNodeType}, false},
        FailureCase{"missing y", "    Display \"A.D\"( /* 3 */\r\n        Branch())\r\n", {kMsgSyntaxError}, false},
        FailureCase{"empty name", "    Display \"\"( /* 3 4 */\r\n        Branch())\r\n", {kMsgSyntaxError}, false},
        FailureCase{"end of file inside a record",
                    "    Display \"A.D\"( /* 3 4 */\r\n        Source(NOLITERAL),\r\n", {kMsgUnexpectedEnd}, false},
        FailureCase{"line longer than 1024 bytes",
                    "    Display \"A." + std::string(2000, 'x') + "\"( /* 3 4 */\r\n", {kMsgSyntaxError}, false},
        FailureCase{"source line on a Call node",
                    "    Call \"A.C\"( /* 3 4 */\r\n        Source(LITERAL \"x\"),\r\n        Branch(,  ) )\r\n",
                    {kMsgUnexpectedType}, true},
        FailureCase{"frame inside a subroutine",
                    kDisplay.substr(0, kDisplay.size() - 2) + ";\r\nSubroutine \"S\"( /* 0 0 */\r\n"
                    "    /* Entry \"S\"( 1 2 )*/\r\n        Branch ( )\r\n"
                    "Frame \"A.Inner\"( /* 0 0 */\r\n    /* Entry \"Inner\"( 1 2 )*/\r\n        Branch ( )\r\n",
                    {kMsgFrameInSubroutine}, true},
        FailureCase{"subroutine inside a subroutine",
                    kDisplay.substr(0, kDisplay.size() - 2) + ";\r\nSubroutine \"S\"( /* 0 0 */\r\n"
                    "    /* Entry \"S\"( 1 2 )*/\r\n        Branch ( )\r\n"
                    "Subroutine \"T\"( /* 0 0 */\r\n    /* Entry \"T\"( 1 2 )*/\r\n        Branch ( )\r\n",
                    {kMsgSubroutineInSubroutine}, true},
        FailureCase{"end of file inside a frame header", "Frame \"A.B\"( /* 0 0 */\r\n", {kMsgUnexpectedEnd}, false}),
    [](const auto& info) {
        std::string name;
        for (char ch : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(ScriptReader, DeclarationAndBranchEdgeCases) {
    const std::string body =
        "    Display \"A.D\"( /* 3 4 */\r\n        Source(NOLITERAL),\r\n        Special(),\r\n"
        "        Destination(),\r\n        Branch( Display \"App.Orders.D1\" /* 5 6 7 8 */))\r\n";
    RecordingPrompter p;
    auto doc = readBack(kHead + body, p);
    ASSERT_NE(doc, nullptr);
    auto* comma = dynamic_cast<CFieldDecl*>(doc->findDeclaration(NodeType::Field, u"Comma"));
    ASSERT_NE(comma, nullptr);
    EXPECT_EQ(comma->kind, FieldKind::Variable);
    EXPECT_EQ(comma->delimiter, u',');
    auto* t = dynamic_cast<CTemplateDecl*>(doc->findDeclaration(NodeType::Template, u"T"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->fields, std::vector<std::u16string>{u"Comma"});
    EXPECT_EQ(doc->rootFrame().description(), u"one\r\ntwo");
    auto* d = dynamic_cast<CDisplayNode*>(doc->rootFrame().findInNodes(NodeType::Display, u"D"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->next.targetName, u"D1");
    EXPECT_EQ(d->next.bendPoints, (std::vector<PointD>{{5, 6}, {7, 8}}));
}

TEST(ScriptReader, DoubleBytePositionsOutsideTheSetAreSkipped) {
    const std::string text =
        "/* Tarvo Script Program : x @ 10 10 5 5 100 25 80 38 \"Arial\" -13 C00 3 */\r\n"
        "Portable \"Strix VK81\"\r\nLanguage \"Chs\"\r\nCharset 2 \"4e2d 6587\"\r\nSystemFontSize 8\r\n"
        "Declarations (\r\n    TEMPLATE \"T\" ( ) )\r\n"
        "Frame \"A\"( /* 0 0 */\r\n    /* Entry \"A\"( 1 2 )*/\r\n        Branch ( )\r\n"
        "    Display \"A.D\"( /* 3 4 */\r\n        Source(DISPLAYLITERAL \"00 02 03 01 \"\"??\", NOLITERAL),\r\n"
        "        Branch()))\r\n";
    RecordingPrompter p;
    auto doc = readBack(text, p);
    ASSERT_NE(doc, nullptr);
    auto* d = dynamic_cast<CDisplayNode*>(doc->rootFrame().findInNodes(NodeType::Display, u"D"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->text.rows[0], u"\u6587\u4E2D");
    EXPECT_EQ(doc->charset().size(), 2u);
    EXPECT_EQ(doc->charset().countOf(u'\u6587'), 1);
}

TEST(ScriptReader, MissingFileShowsErrorOpeningFile) {
    RecordingPrompter p;
    EXPECT_EQ(ScriptReader(p).load("/nonexistent/dir/x.scr"), nullptr);
    EXPECT_EQ(p.shownIds(), Ids{kMsgErrorOpeningFile});
}

TEST(ScriptReader, EmptyAndGarbageInputEndsWithoutCrash) {
    const std::string inputs[] = {"", "\r\n", "@", "Declarations (\r\nTEMPLATE \"x", std::string(3000, '"'),
                                  "Frame", "Frame \"A\"( /* 1 2 */\nEntry", "x\n;\n;\n"};
    for (const auto& in : inputs) {
        RecordingPrompter p;
        ScriptReader(p).loadText(in, kPath);
    }
}

}  // namespace
}  // namespace tarvo::script
