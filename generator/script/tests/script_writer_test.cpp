#include "tarvo/script/script_writer.h"

#include <gtest/gtest.h>

#include "tarvo/common/safe_file.h"
#include "test_apps.h"

namespace tarvo::script {
namespace {

using namespace testing;

std::string writeUnix(const CDocContext& doc) { return unixText(ScriptWriter::write(doc, "/p/App.scr")); }

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ScriptWriter, EveryLineEndsWithCarriageReturnLineFeed) {
    auto doc = newApp();
    std::string text = ScriptWriter::write(*doc, "/p/App.scr");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "at " << i;
        }
    }
}

TEST(ScriptWriter, HeaderCarriesGridHalvesSizesAndFont) {
    auto doc = newApp();
    doc->settings.gridWidth = 15;
    doc->settings.gridHeight = 9;
    doc->settings.frameWidth = 120;
    std::string text = writeUnix(*doc);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "/* Tarvo Script Program : /p/App.scr @ 15 9 7 4 120 25 80 38 "
              "\"Microsoft Sans Serif\" -13 C00 3 */");
}

TEST(ScriptWriter, ApplicationWithoutSubroutineEndsWithParenthesisOnly) {
    auto doc = newApp();
    add<CDisplayNode>(*doc, doc->rootFrame(), u"D1");
    std::string text = writeUnix(*doc);
    EXPECT_EQ(text.substr(text.size() - 3), "))\n");
    EXPECT_FALSE(contains(text, ");\n"));
}

TEST(ScriptWriter, SubroutinesFollowTheRootFrameSeparatedBySemicolons) {
    auto doc = newApp();
    doc->addSubroutine(doc->rootFrame(), std::make_unique<CSubroutineNode>(u"Sub2"));
    doc->addSubroutine(doc->rootFrame(), std::make_unique<CSubroutineNode>(u"Sub1"));
    doc->rootFrame().ownedSubroutines = {u"Sub2", u"Sub1"};
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Branch ( ));\nSubroutine \"Sub1\"( /* 0 0 */"));
    EXPECT_TRUE(contains(text, "    Return \"Sub1.Sub1\"( /* "));
    EXPECT_TRUE(contains(text, "        Branch()));\nSubroutine \"Sub2\""));
    EXPECT_TRUE(contains(text, "    /* Description(\" \") */\n    /* Description Subs \"Sub2\" */\n"
                               "    /* Description Subs \"Sub1\" */\n    /* Entry"));
}

TEST(ScriptWriter, ChildFramesFollowTheEntryDirectlyWhenNoOtherNodes) {
    auto doc = newApp();
    CFrameNode* child = addFrame(*doc, doc->rootFrame(), u"Inner");
    ASSERT_NE(child, nullptr);
    addFrame(*doc, doc->rootFrame(), u"Second");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Branch ( )\nFrame \"App.Inner\"( /* "));
    EXPECT_TRUE(contains(text, "Branch ( ));\nFrame \"App.Second\""));
}

TEST(ScriptWriter, NodeBeforeChildFrameKeepsItsComma) {
    auto doc = newApp();
    addFrame(*doc, doc->rootFrame(), u"Inner");
    add<CDisplayNode>(*doc, doc->rootFrame(), u"D1");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Branch()),\nFrame \"App.Inner\""));
}

TEST(ScriptWriter, CopyWithOnlyErrorTargetWritesItTwice) {
    auto doc = newApp();
    auto* copy = add<CCopyNode>(*doc, doc->rootFrame(), u"C1");
    add<CDisplayNode>(*doc, doc->rootFrame(), u"Err");
    copy->error.setTarget(NodeType::Display, u"Err");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Branch( Display \"App.Err\",  Display \"App.Err\"))"));
}

// The branch section of the two-target nodes for each mix of filled links.
TEST(ScriptWriter, TwoTargetRuleForEveryMix) {
    struct Case {
        bool next, error;
        const char* copy;
        const char* math;
    };
    const Case cases[] = {
        {true, true, "Branch( Display \"App.N\",  Display \"App.E\"))",
         "Branch( Display \"App.N\",  Display \"App.E\"))"},
        {true, false, "Branch( Display \"App.N\",  Display \"App.N\"))",
         "Branch( Display \"App.N\",  Display \"App.N\"))"},
        {false, true, "Branch( Display \"App.E\",  Display \"App.E\"))",
         "Branch( Display \"App.E\",  Display \"App.E\"))"},
        {false, false, "Branch(, ))", "Branch()),"},
    };
    for (const auto& c : cases) {
        auto doc = newApp();
        add<CDisplayNode>(*doc, doc->rootFrame(), u"N");
        add<CDisplayNode>(*doc, doc->rootFrame(), u"E");
        auto* copy = add<CCopyNode>(*doc, doc->rootFrame(), u"C1");
        auto* math = add<CMathNode>(*doc, doc->rootFrame(), u"M1");
        for (auto* links : {&copy->next, &math->next})
            if (c.next) links->setTarget(NodeType::Display, u"N");
        for (auto* links : {&copy->error, &math->error})
            if (c.error) links->setTarget(NodeType::Display, u"E");
        std::string text = writeUnix(*doc);
        SCOPED_TRACE(std::to_string(c.next) + std::to_string(c.error));
        EXPECT_TRUE(contains(text, c.copy)) << text;
        EXPECT_TRUE(contains(text, c.math)) << text;
    }
}

TEST(ScriptWriter, InputWithoutTargetsPointsEveryChannelAtItself) {
    auto doc = newApp();
    auto* in = add<CInputNode>(*doc, doc->rootFrame(), u"In1");
    in->channel(InputChannel::Scanner).on = true;
    in->channel(InputChannel::Timeout).on = true;
    in->timeoutSeconds = 30;
    for (auto& ch : in->channels) ch.link.clear();
    in->error.clear();
    in->destination.reg.registerName = u"Default Register";
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Source(WAND|Timeout(30)),\n        Special(),\n"
                               "        Destination(REG \"Default Register\", OVERWRITE),\n"
                               "        Branch( Input \"App.In1\",  Input \"App.In1\",  "
                               "Input \"App.In1\"))"))
        << text;
}

TEST(ScriptWriter, InputSizeRegisterAndEcho) {
    auto doc = newApp();
    auto* in = add<CInputNode>(*doc, doc->rootFrame(), u"In1");
    in->channel(InputChannel::DataKeys).on = true;
    in->sizeToRegister = true;
    in->sizeRegister.reg.registerName = u"Input Size Register";
    in->sizeRegister.registerWrite = RegisterWriteType::Append;  // always written OVERWRITE
    in->echoToDisplay = true;
    in->echoAtCursor = true;
    in->clearDisplay = true;
    in->clearToEndOfLine = true;
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Special(REG \"Input Size Register\", OVERWRITE, "
                               "Show(Row(255),Column(255),Clear(80))),"))
        << text;
}

TEST(ScriptWriter, DisplayRowsOfSpacesAreNoLiteral) {
    auto doc = newApp();
    auto* d = add<CDisplayNode>(*doc, doc->rootFrame(), u"D1");
    d->text.rows[0] = u"Hello";
    d->text.rows[1] = u"   ";
    d->text.rows[2] = u" x ";
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Source(DISPLAYLITERAL \"Hello\", NOLITERAL, DISPLAYLITERAL \" x \", "
                               "NOLITERAL, NOLITERAL, NOLITERAL),"))
        << text;
}

TEST(ScriptWriter, DoubleByteRowsCarryCharsetPositions) {
    auto doc = newApp();
    doc->settings.promptLanguage = u"Chs";
    auto* d = add<CDisplayNode>(*doc, doc->rootFrame(), u"D1");
    std::u16string row = u"\u4E2D\u6587";
    // Twelve characters in the set: the two of the row and ten others after them.
    std::u16string others;
    for (char16_t ch = 0x7000; ch < 0x700A; ++ch) others += ch;
    ASSERT_TRUE(doc->charset().addText(row + others));
    d->text.rows[0] = row;
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "\nCharset 10 \"4e2d 6587 7000 7001 7002 7003 7004 7005 7006 7007\""
                               "\nCharset 2 \"7008 7009\"\nSystemFontSize 8"))
        << text;
    // The quoted copy of a double-byte row is lossy: its characters travel as positions.
    EXPECT_TRUE(contains(text, "Source(DISPLAYLITERAL \"01 02 \"\"??\", NOLITERAL, NOLITERAL),"))
        << text;
    EXPECT_TRUE(ScriptWriter::findUnrepresentableText(*doc).empty());
}

TEST(ScriptWriter, DescriptionLineBreaksBecomeBackslashN) {
    auto doc = newApp();
    auto* d = add<CDisplayNode>(*doc, doc->rootFrame(), u"D1");
    ASSERT_TRUE(d->setDescription(u"first\r\nsecond"));
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "/* Description(\"first\\nsecond\") */"));
    EXPECT_TRUE(contains(text, "Frame \"App\"( /* 0 0 */\n    /* Description(\" \") */"));
}

TEST(ScriptWriter, PositionsAndBendPointsAreRounded) {
    auto doc = newApp();
    auto* a = add<CDisplayNode>(*doc, doc->rootFrame(), u"A", 119.6, 80.4);
    add<CMenuNode>(*doc, doc->rootFrame(), u"Menu1");
    a->next.setTarget(NodeType::Menu, u"Menu1");
    a->next.bendPoints = {{120.0, 80.0}, {-3.0, 7.5}};
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Display \"App.A\"( /* 120 80 */"));
    EXPECT_TRUE(contains(text, "Branch( Menu \"App.Menu1\" /* 120 80 0 8 */))"));
}

TEST(ScriptWriter, OperandForms) {
    struct Case {
        const char* what;
        std::function<void(CCopyNode&)> set;
        const char* expected;
    };
    const Case cases[] = {
        {"literal", [](CCopyNode& n) { n.source.literal = u"abc"; }, "Source(LITERAL \"abc\"),"},
        {"register",
         [](CCopyNode& n) {
             n.source.kind = SourceKind::Register;
             n.source.reg.registerName = u"R";
         },
         "Source(REG \"R\"),"},
        {"register field",
         [](CCopyNode& n) {
             n.source.kind = SourceKind::Register;
             n.source.reg = {u"System Date", true, u"System Date Template", u"Day"};
         },
         "Source(REGFIELD \"System Date\".\"System Date Template\".3/*Day*/),"},
        {"file record by register",
         [](CCopyNode& n) {
             n.source.kind = SourceKind::File;
             n.source.file.fileName = u"F";
             n.source.file.isRecord = true;
             n.source.file.location = RecordLocation::Index;
             n.source.file.indexRegister = u"Idx";
         },
         "Source(FILERECORD \"F\".\"Idx\"),"},
        {"file record by number",
         [](CCopyNode& n) {
             n.source.kind = SourceKind::File;
             n.source.file.fileName = u"F";
             n.source.file.isRecord = true;
             n.source.file.location = RecordLocation::Number;
             n.source.file.recordNumber = 12;
         },
         "Source(FILERECORD \"F\".12),"},
        {"destination register append",
         [](CCopyNode& n) {
             n.destination.reg.registerName = u"R";
             n.destination.registerWrite = RegisterWriteType::Append;
         },
         "Destination(REG \"R\", APPEND),"},
        {"destination file insert",
         [](CCopyNode& n) {
             n.destination.kind = DestinationKind::File;
             n.destination.file.fileName = u"F";
             n.destination.file.location = RecordLocation::Last;
         },
         "Destination(FILE \"F\".Last, INSERT),"},
        {"destination file sorted",
         [](CCopyNode& n) {
             n.destination.kind = DestinationKind::File;
             n.destination.file.fileName = u"F";
             n.destination.file.writeType = FileWriteType::Sorted;
         },
         "Destination(FILE \"F\", ASCII),"},
        {"destination record overwrite",
         [](CCopyNode& n) {
             n.destination.kind = DestinationKind::File;
             n.destination.file.fileName = u"F";
             n.destination.file.isRecord = true;
             n.destination.file.location = RecordLocation::First;
             n.destination.file.writeType = FileWriteType::Overwrite;
         },
         "Destination(FILERECORD \"F\".First, OVERWRITE),"},
    };
    for (const auto& c : cases) {
        auto doc = newApp();
        auto* copy = add<CCopyNode>(*doc, doc->rootFrame(), u"C1");
        c.set(*copy);
        EXPECT_TRUE(contains(writeUnix(*doc), c.expected)) << c.what;
    }
}

TEST(ScriptWriter, VerifyModifyOutputAndMenuSections) {
    auto doc = newApp();
    auto* v = add<CVerifyNode>(*doc, doc->rootFrame(), u"V1");
    v->source.kind = SourceKind::File;
    v->source.file.fileName = u"F";
    v->sorted = true;
    v->dataType = VerifyDataType::Numeric;
    v->comparison = ComparisonKind::Range;
    v->low = {false, u"1", u""};
    v->high = {true, u"", u"Max"};
    v->ignoreCase = true;
    v->storeIndex = true;
    v->indexRegister = u"Idx";
    auto* m = add<CModifyNode>(*doc, doc->rootFrame(), u"Mod1");
    m->data.kind = SourceKind::Register;
    m->data.reg.registerName = u"R";
    m->operation = ModifyOperation::SearchReplace;
    m->searchText = u"a";
    m->replaceText = u"b";
    m->destination.reg.registerName = u"R";
    auto* o = add<COutputNode>(*doc, doc->rootFrame(), u"Out1");
    o->device = OutputDevice::Wedge;
    auto* menu = add<CMenuNode>(*doc, doc->rootFrame(), u"Menu1");
    for (auto& k : menu->keys) k.link.clear();
    menu->keys[1].link.setTarget(NodeType::Output, u"Out1");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Source(FILE \"F\", ASCII),\n        Special(NUMERIC, Range(LITERAL "
                               "\"1\", REG \"Max\"), IGNORECASE),\n        Destination(REG "
                               "\"Idx\",OVERWRITE),\n        Branch()))"))
        << text;
    EXPECT_TRUE(contains(text, "Special(Replace(LITERAL \"a\", LITERAL \"b\")),"));
    EXPECT_TRUE(contains(text, "Destination(WEDGE),"));
    EXPECT_TRUE(contains(text, "Branch(,  Output \"App.Out1\", , , , , , ))")) << text;
}

TEST(ScriptWriter, CallTargetsAndMissingSubroutine) {
    auto doc = newApp();
    doc->addSubroutine(doc->rootFrame(), std::make_unique<CSubroutineNode>(u"S"));
    auto* call = add<CCallNode>(*doc, doc->rootFrame(), u"Call1");
    call->subroutine.setTarget(NodeType::Subroutine, u"S");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Branch( Subroutine \"S\",  ) )")) << text;
}

TEST(ScriptWriter, ExitRecordsAndExitTargets) {
    auto doc = newApp();
    add<CDisplayNode>(*doc, doc->rootFrame(), u"Done");
    CFrameNode* inner = addFrame(*doc, doc->rootFrame(), u"Inner");
    ASSERT_NE(inner, nullptr);
    auto* exit = add<CExitNode>(*doc, *inner, u"Exit1", 40, 50);
    exit->target.setTarget(NodeType::Display, u"Done");
    inner->exitRecords[makeNodeKey(NodeType::Display, u"Exit1")] =
        ExitRecord{u"Exit1", NodeLink{NodeType::Display, u"Done", {{5, 6}}, nullptr}};
    auto* d = add<CDisplayNode>(*doc, *inner, u"D");
    d->next.setTarget(NodeType::Exit, u"Exit1");
    inner->entry().next.setTarget(NodeType::Display, u"D");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "    /* Exit \"Exit1\"( 40 50 */\n"
                               "        /* Description(\" \") */\n"
                               "        /* Branch( Display \"App.Done\" ( 5 6 ) )) */"))
        << text;
    EXPECT_TRUE(contains(text, "Branch( Exit Display \"App.Exit1\" /* */))")) << text;
    EXPECT_TRUE(contains(text, "Branch (Display \"App.Inner.D\" )")) << text;
}

TEST(ScriptWriter, ExitChainsNameTheirFinalTargetOrNoRef) {
    auto doc = newApp();
    add<CDisplayNode>(*doc, doc->rootFrame(), u"Done");
    CFrameNode* mid = addFrame(*doc, doc->rootFrame(), u"Mid");
    CFrameNode* inner = addFrame(*doc, *mid, u"Inner");
    ASSERT_TRUE(mid && inner);
    add<CExitNode>(*doc, *mid, u"Out")->target.setTarget(NodeType::Display, u"Done");
    add<CExitNode>(*doc, *inner, u"Up")->target.setTarget(NodeType::Exit, u"Out");
    auto* d = add<CDisplayNode>(*doc, *inner, u"D");
    d->next.setTarget(NodeType::Exit, u"Up");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Branch( Exit Exit \"App.Mid.Up\" Display \"App.Done\" /* */))"))
        << text;

    // Without the outer exit the chain has no end.
    auto doc2 = newApp();
    CFrameNode* m2 = addFrame(*doc2, doc2->rootFrame(), u"Mid");
    CFrameNode* i2 = addFrame(*doc2, *m2, u"Inner");
    add<CExitNode>(*doc2, *i2, u"Up")->target.setTarget(NodeType::Exit, u"Gone");
    add<CDisplayNode>(*doc2, *i2, u"D")->next.setTarget(NodeType::Exit, u"Up");
    EXPECT_TRUE(contains(writeUnix(*doc2), "Branch( Exit Exit \"App.Mid.Up\" NO_REF \"\" /* */))"));
}

TEST(ScriptWriter, CycleOfExitsEndsWithoutFinalTarget) {
    auto doc = newApp();
    CFrameNode* a = addFrame(*doc, doc->rootFrame(), u"A");
    ASSERT_NE(a, nullptr);
    // A's exit leads to frame A itself, whose entry leads to that exit again.
    add<CExitNode>(*doc, *a, u"X")->target.setTarget(NodeType::Frame, u"A");
    a->entry().next.setTarget(NodeType::Exit, u"X");
    std::string text = writeUnix(*doc);
    EXPECT_TRUE(contains(text, "Branch (Exit \"App.A.X\" )")) << text;
}

TEST(ScriptWriter, CoordinatesRoundHalfUpAndClampAtZero) {
    const std::pair<double, unsigned long> cases[] = {
        {119.6, 120}, {119.4, 119}, {0.5, 1}, {0.0, 0}, {-0.4, 0}, {-20.0, 0}, {1e20, 4294967295UL}};
    for (auto [in, out] : cases) EXPECT_EQ(scriptCoordinate(in), out) << in;
}

TEST(ScriptWriter, UnrepresentableTextIsFound) {
    auto doc = newApp();
    auto* d = add<CDisplayNode>(*doc, doc->rootFrame(), u"D1");
    ASSERT_TRUE(d->setDescription(u"caf\u00E9 \u20AC ok"));
    EXPECT_TRUE(ScriptWriter::findUnrepresentableText(*doc).empty());
    ASSERT_TRUE(d->setDescription(u"\u4E2D"));
    d->text.rows[0] = u"\u0101";
    auto found = ScriptWriter::findUnrepresentableText(*doc);
    EXPECT_EQ(found, (std::vector<std::string>{"App.D1 description", "App.D1 display text"}));
}

TEST(ScriptWriter, QuotesAndStrayLineBreaksAreFound) {
    struct Case {
        std::u16string description;
        std::u16string literal;
        size_t found;
    };
    const Case cases[] = {{u"two\r\nlines", u"plain", 0},  {u"say \"hi\"", u"x", 1},
                          {u"bare\nfeed", u"x", 1},         {u"ok", u"a\"b", 1},
                          {u"ok", u"line\r\nbreak", 1},     {u"lone\r", u"x\n", 2}};
    for (const auto& c : cases) {
        auto doc = newApp();
        auto* copy = add<CCopyNode>(*doc, doc->rootFrame(), u"C1");
        ASSERT_TRUE(copy->setDescription(c.description));
        copy->source.literal = c.literal;
        EXPECT_EQ(ScriptWriter::findUnrepresentableText(*doc).size(), c.found)
            << narrowLatin1(c.description) << " / " << narrowLatin1(c.literal);
    }
}

}  // namespace
}  // namespace tarvo::script
