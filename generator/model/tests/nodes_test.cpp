// Tests of the node types: required links, new-link slots, Menu keys, Output operations, Copy checks.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tarvo/model/model.h"

namespace tarvo {
namespace {

struct LinkCase {
    const char* label;
    std::function<std::unique_ptr<CNodeBase>()> make;
    bool required;
};

class RequiredLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(RequiredLinks, NodeAnswersForItsOwnLinks) {
    auto node = GetParam().make();
    EXPECT_EQ(node->requiredLinksSet(), GetParam().required) << GetParam().label;
}

NodeLink to(NodeType type, std::u16string name) {
    NodeLink link;
    link.setTarget(type, std::move(name));
    return link;
}

INSTANTIATE_TEST_SUITE_P(
    Types, RequiredLinks,
    ::testing::Values(
        LinkCase{"copy next only passes",
                 [] {
                     auto n = std::make_unique<CCopyNode>();
                     n->next = to(NodeType::Display, u"D");
                     return n;
                 },
                 true},
        LinkCase{"copy error only fails",
                 [] {
                     auto n = std::make_unique<CCopyNode>();
                     n->error = to(NodeType::Display, u"D");
                     return n;
                 },
                 false},
        LinkCase{"math next only fails",
                 [] {
                     auto n = std::make_unique<CMathNode>();
                     n->next = to(NodeType::Display, u"D");
                     return n;
                 },
                 false},
        LinkCase{"math both pass",
                 [] {
                     auto n = std::make_unique<CMathNode>();
                     n->next = to(NodeType::Display, u"D");
                     n->error = to(NodeType::Display, u"E");
                     return n;
                 },
                 true},
        LinkCase{"call without subroutine but with next passes",
                 [] {
                     auto n = std::make_unique<CCallNode>();
                     n->next = to(NodeType::Display, u"D");
                     return n;
                 },
                 true},
        LinkCase{"new display fails", [] { return std::make_unique<CDisplayNode>(); }, false},
        LinkCase{"new menu passes (keys point at itself)",
                 [] { return std::make_unique<CMenuNode>(); }, true},
        LinkCase{"menu with an emptied F8 fails",
                 [] {
                     auto n = std::make_unique<CMenuNode>();
                     n->keys[7].link.clear();
                     return n;
                 },
                 false},
        LinkCase{"new input passes", [] { return std::make_unique<CInputNode>(); }, true},
        LinkCase{"input with an enabled empty channel fails",
                 [] {
                     auto n = std::make_unique<CInputNode>();
                     n->channel(InputChannel::Serial).on = true;
                     n->channel(InputChannel::Serial).link.clear();
                     return n;
                 },
                 false},
        LinkCase{"input with a disabled empty channel passes",
                 [] {
                     auto n = std::make_unique<CInputNode>();
                     n->channel(InputChannel::Serial).link.clear();
                     return n;
                 },
                 true},
        LinkCase{"verify error only fails",
                 [] {
                     auto n = std::make_unique<CVerifyNode>();
                     n->error = to(NodeType::Display, u"D");
                     return n;
                 },
                 false},
        LinkCase{"output both pass",
                 [] {
                     auto n = std::make_unique<COutputNode>();
                     n->next = to(NodeType::Display, u"D");
                     n->error = to(NodeType::Display, u"D");
                     return n;
                 },
                 true},
        LinkCase{"return always passes", [] { return std::make_unique<CReturnNode>(); }, true}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(NewLinkSlot, FillsTheFirstFreeLinkInTypeOrder) {
    CCopyNode copy;
    EXPECT_EQ(copy.linkForNewLink(), &copy.next);
    copy.next = to(NodeType::Display, u"D");
    EXPECT_EQ(copy.linkForNewLink(), &copy.error);
    copy.error = to(NodeType::Display, u"D");
    EXPECT_EQ(copy.linkForNewLink(), nullptr);

    // Input: scanner, data keys, function keys, serial, error, then time-out;
    // a link pointing at the node itself counts as free.
    CInputNode input(u"In");
    EXPECT_EQ(input.linkForNewLink(), &input.channel(InputChannel::Scanner).link);
    for (auto c : {InputChannel::Scanner, InputChannel::DataKeys, InputChannel::FunctionKeys,
                   InputChannel::Serial})
        input.channel(c).link = to(NodeType::Display, u"D");
    EXPECT_EQ(input.linkForNewLink(), &input.error);
    input.error = to(NodeType::Display, u"D");
    EXPECT_EQ(input.linkForNewLink(), &input.channel(InputChannel::Timeout).link);

    CMenuNode menu(u"M");
    menu.keys[0].link = to(NodeType::Display, u"D");
    EXPECT_EQ(menu.linkForNewLink(), &menu.keys[1].link);

    CExitNode exit;
    EXPECT_EQ(exit.linkForNewLink(), nullptr);
}

TEST(MenuNode, KeysPointAtTheMenuAndEnableWhenTheyLeaveIt) {
    CMenuNode menu(u"Main");
    for (const auto& key : menu.keys) {
        EXPECT_TRUE(key.link.names(NodeType::Menu, u"Main"));
        EXPECT_FALSE(key.enabled);
    }
    menu.keys[0].link = to(NodeType::Display, u"Display1");
    menu.updateEnabledFlags();
    EXPECT_TRUE(menu.keys[0].enabled);
    for (std::size_t i = 1; i < kMenuKeyCount; ++i) EXPECT_FALSE(menu.keys[i].enabled) << i;
}

TEST(NodeLinks, ForgetAndRenameOnlyTouchTheNamedTypeAndName) {
    CMathNode math;
    math.next = to(NodeType::Display, u"X");
    math.error = to(NodeType::Menu, u"X");
    EXPECT_TRUE(math.renameReferences(u"X", u"Y", NodeType::Display));
    EXPECT_TRUE(math.next.names(NodeType::Display, u"Y"));
    EXPECT_TRUE(math.error.names(NodeType::Menu, u"X"));
    EXPECT_FALSE(math.renameReferences(u"Nope", u"Z", NodeType::Display));
    math.forgetReferences(NodeType::Menu, u"X");
    EXPECT_TRUE(math.error.isEmpty());
    EXPECT_EQ(math.error.targetType, NodeType::None);
    EXPECT_FALSE(math.next.isEmpty());
}

struct OperationCase {
    OutputOperationCode code;
    int row;
    int column;
    std::u16string text;
    std::u16string expected;
};

class OutputOperations : public ::testing::TestWithParam<OperationCase> {};

TEST_P(OutputOperations, ProduceTheirEscapeSequences) {
    const OperationCase& c = GetParam();
    OutputOperation op{c.code, c.text, c.row, c.column};
    EXPECT_EQ(op.product(), c.expected);
}

const std::u16string kEsc(1, kEscape);

INSTANTIATE_TEST_SUITE_P(
    Codes, OutputOperations,
    ::testing::Values(
        OperationCase{OutputOperationCode::MoveInDisplay, 2, 14, u"", kEsc + u"[2;14f"},
        OperationCase{OutputOperationCode::EraseToEndOfLine, 9, 9, u"", kEsc + u"[K"},
        OperationCase{OutputOperationCode::MoveInVirtualScreen, 24, 79, u"", kEsc + u"[24;79H"},
        OperationCase{OutputOperationCode::EraseScreen, 0, 0, u"", kEsc + u"[2J"},
        OperationCase{OutputOperationCode::MoveUp, 3, 7, u"", kEsc + u"[3A"},
        OperationCase{OutputOperationCode::MoveDown, 1, 7, u"", kEsc + u"[1B"},
        OperationCase{OutputOperationCode::MoveRight, 3, 7, u"", kEsc + u"[7C"},
        OperationCase{OutputOperationCode::MoveLeft, 3, 0, u"", kEsc + u"[0D"},
        OperationCase{OutputOperationCode::DisplayText, 3, 4, u"Hi", u"Hi"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(OutputNode, AddOperationChecksTextRangeAndTotalLength) {
    COutputNode out;
    EXPECT_EQ(out.addOperation({OutputOperationCode::DisplayText, u"\u4e2d", 0, 0}),
              kMessageNonWestern);
    EXPECT_EQ(out.addOperation({OutputOperationCode::MoveUp, u"", 25, 0}),
              kMessageOutputRowColumnRange);
    EXPECT_EQ(out.addOperation({OutputOperationCode::MoveUp, u"", 0, 80}),
              kMessageOutputRowColumnRange);
    EXPECT_EQ(out.addOperation({OutputOperationCode::MoveUp, u"", -1, 0}),
              kMessageOutputRowColumnRange);
    EXPECT_TRUE(out.operations.empty());

    // 131 characters plus the terminator fit; one more does not.
    EXPECT_EQ(out.addOperation({OutputOperationCode::DisplayText,
                                std::u16string(127, u'a'), 0, 0}),
              0);
    EXPECT_EQ(out.addOperation({OutputOperationCode::EraseScreen, u"", 0, 0}), 0); // 131
    EXPECT_EQ(out.buildLiteral().size(), 131u);
    EXPECT_EQ(out.addOperation({OutputOperationCode::DisplayText, u"b", 0, 0}),
              kMessageOutputTooLong);
    EXPECT_EQ(out.operations.size(), 2u);
}

TEST(OutputNode, DisplayStringShowsEscapesAsFourCharacters) {
    const std::u16string literal = kEsc + u"[2J";
    EXPECT_EQ(escapesToDisplayString(literal), u"\\x1B[2J");
    EXPECT_EQ(displayStringToEscapes(u"\\x1B[2J"), literal);
    EXPECT_EQ(displayStringToEscapes(u"a\\x1Bb\\x1"), u"a" + kEsc + u"b\\x1");
    EXPECT_EQ(displayStringToEscapes(escapesToDisplayString(kEsc + kEsc)), kEsc + kEsc);
}

TEST(CopyNode, OperandCheckRefusesFileToItselfAndWholeFileToRecord) {
    CCopyNode copy;
    copy.source.kind = SourceKind::File;
    copy.source.file.fileName = u"Orders";
    copy.destination.kind = DestinationKind::File;
    copy.destination.file.fileName = u"Orders";
    EXPECT_EQ(copy.checkOperands(), kMessageCopyFileToItself);

    copy.destination.file.fileName = u"Sales";
    copy.destination.file.isRecord = true;
    EXPECT_EQ(copy.checkOperands(), kMessageCopyMultipleToSingle);

    copy.destination.kind = DestinationKind::Register;
    EXPECT_EQ(copy.checkOperands(), kMessageCopyMultipleToSingle);

    copy.destination.kind = DestinationKind::File;
    copy.destination.file.isRecord = false;
    EXPECT_EQ(copy.checkOperands(), 0);

    // Two unnamed files are not "the same file".
    copy.source.file.fileName.clear();
    copy.destination.file.fileName.clear();
    EXPECT_EQ(copy.checkOperands(), 0);
}

TEST(VerifyNode, DeclarationUsesFollowTheComparison) {
    CVerifyNode verify;
    verify.source.kind = SourceKind::File;
    verify.source.file.fileName = u"Orders";
    verify.comparison = ComparisonKind::Range;
    verify.low = {true, u"", u"Low"};
    verify.high = {false, u"9", u"Stale"};
    verify.comparisonRegister = u"Unused";
    verify.storeIndex = true;
    verify.indexRegister = u"Index";
    const std::vector<DeclarationUse> expected{{NodeType::File, u"Orders"},
                                               {NodeType::Register, u"Low"},
                                               {NodeType::Register, u"Index"}};
    EXPECT_EQ(verify.declarationUses(), expected);
    EXPECT_TRUE(verify.renameReferences(u"Low", u"Min", NodeType::Register));
    EXPECT_EQ(verify.low.registerName, u"Min");
}

TEST(InputNode, SizeRegisterCountsOnlyWhenOn) {
    CInputNode input;
    input.sizeRegister.reg.registerName = u"Input Size Register";
    input.destination.reg.registerName = u"Work";
    EXPECT_EQ(input.declarationUses(),
              (std::vector<DeclarationUse>{{NodeType::Register, u"Work"}}));
    input.sizeToRegister = true;
    EXPECT_EQ(input.declarationUses().size(), 2u);
}

TEST(InputNode, EchoPositionMustLieOnTheScreenAndClearCountInRange) {
    using Check = CInputNode::SettingsCheck;
    const ScreenGeometry wst8Model0 = screenGeometry(u"Wst8", 0); // 6 x 16
    struct Case {
        bool echo, atCursor;
        int row, column;
        bool clear, toEol;
        int count;
        Check expected;
    };
    const Case cases[] = {
        {true, false, 5, 15, false, false, 0, Check::Ok},
        {true, false, 6, 0, false, false, 0, Check::EchoOutsideScreen},
        {true, false, 0, 16, false, false, 0, Check::EchoOutsideScreen},
        {true, false, -1, 0, false, false, 0, Check::EchoOutsideScreen},
        {true, true, 99, 99, false, false, 0, Check::Ok},   // cursor location: no position
        {false, false, 99, 99, false, false, 0, Check::Ok}, // no echo at all
        {false, false, 0, 0, true, false, 79, Check::Ok},
        {false, false, 0, 0, true, false, 80, Check::ClearCountOutOfRange},
        {false, false, 0, 0, true, false, -1, Check::ClearCountOutOfRange},
        {false, false, 0, 0, true, true, 500, Check::Ok}, // to end of line: count unused
    };
    for (const Case& c : cases) {
        CInputNode input;
        input.echoToDisplay = c.echo;
        input.echoAtCursor = c.atCursor;
        input.echoRow = c.row;
        input.echoColumn = c.column;
        input.clearDisplay = c.clear;
        input.clearToEndOfLine = c.toEol;
        input.clearCount = c.count;
        EXPECT_EQ(input.checkSettings(wst8Model0), c.expected)
            << "row " << c.row << " column " << c.column << " count " << c.count;
    }
}

TEST(FieldDecl, DelimiterAboveCode255IsRefused) {
    CFieldDecl field(u"F", 3);
    EXPECT_FALSE(field.setDelimiter(u'\u4e2d'));
    EXPECT_EQ(field.kind, FieldKind::Fixed);
    EXPECT_TRUE(field.setDelimiter(u','));
    EXPECT_EQ(field.kind, FieldKind::Variable);
    EXPECT_EQ(field.delimiter, 44);
}

TEST(Declarations, NoneEntriesOfTheLists) {
    EXPECT_EQ(noDeclarationText(NodeType::Field), u"[ No Field ]");
    EXPECT_EQ(noDeclarationText(NodeType::Register), u"[ No Register ]");
    EXPECT_EQ(noDeclarationText(NodeType::Template), u"[ No Template ]");
    EXPECT_EQ(noDeclarationText(NodeType::File), u"[ No File ]");
    EXPECT_EQ(noDeclarationText(NodeType::Menu), u"");
}

} // namespace
} // namespace tarvo
