// Tests of the application: defaults, adding, finding, renaming, deleting and references.
#include "tarvo/model/doc_context.h"

#include <gtest/gtest.h>

#include "tarvo/model/model.h"

namespace tarvo {
namespace {

template <class Map>
std::vector<std::u16string> keysOf(const Map& map) {
    std::vector<std::u16string> keys;
    for (const auto& entry : map) keys.push_back(entry.first);
    return keys;
}

TEST(NewApplication, HasRootFrameAndTheDefaultDeclarations) {
    AppSettings settings;
    settings.promptLanguage = u"Wst8";
    auto doc = CDocContext::createNew(settings);
    EXPECT_EQ(doc->rootFrame().name(), u"Frame1");
    EXPECT_EQ(doc->rootFrame().entry().name(), u"Frame1");
    EXPECT_EQ(doc->rootFrame().parentFrame, nullptr);
    EXPECT_EQ(doc->settings.promptLanguage, u"Wst8");
    EXPECT_EQ(doc->output, nullptr);

    using V = std::vector<std::u16string>;
    EXPECT_EQ(keysOf(doc->files()), V{u"Default File"});
    EXPECT_EQ(keysOf(doc->registers()), (V{u"Default Register", u"Input Size Register",
                                           u"System Date", u"System Time", u"[ No Register ]"}));
    EXPECT_EQ(keysOf(doc->fields()), (V{u"Day", u"Hours", u"Minutes", u"Month", u"Seconds",
                                        u"Separator", u"Year"}));
    EXPECT_EQ(keysOf(doc->templates()), (V{u"System Date Template", u"System Time Template"}));
    EXPECT_EQ(doc->templates().at(u"System Date Template")->fields,
              (V{u"Month", u"Separator", u"Day", u"Separator", u"Year"}));
    EXPECT_EQ(doc->templates().at(u"System Time Template")->fields,
              (V{u"Hours", u"Separator", u"Minutes", u"Separator", u"Seconds"}));

    for (const auto& [name, reg] : doc->registers()) {
        EXPECT_TRUE(reg->isDefault);
        EXPECT_EQ(reg->size, kRegisterSize);
    }
    EXPECT_TRUE(doc->files().at(u"Default File")->isDefault);
    EXPECT_TRUE(doc->templates().at(u"System Time Template")->isDefault);
    EXPECT_EQ(doc->fields().at(u"Separator")->length, 1);
    EXPECT_EQ(doc->fields().at(u"Year")->length, 2);
    EXPECT_TRUE(doc->references().hasDeclaration(NodeType::Field, u"Hours"));
}

class AppFixture : public ::testing::Test {
protected:
    std::unique_ptr<CDocContext> doc = CDocContext::createNew();
    CFrameNode& root = doc->rootFrame();

    template <class Node>
    Node* add(CContainerNode& container, std::u16string name, bool unique = true) {
        return static_cast<Node*>(
            doc->addNode(container, std::make_unique<Node>(std::move(name)), unique));
    }
};

TEST_F(AppFixture, AddMakesNamesUniquePerTypeWithinTheContainer) {
    add<CDisplayNode>(root, u"Display1");
    add<CDisplayNode>(root, u"Display2");
    EXPECT_EQ(add<CDisplayNode>(root, u"Display1")->name(), u"Display3");

    // Another type may share a name; the same type may not, unless renamed.
    EXPECT_EQ(add<CDisplayNode>(root, u"Main")->name(), u"Main");
    EXPECT_EQ(add<CMenuNode>(root, u"Main")->name(), u"Main");
    EXPECT_EQ(add<CDisplayNode>(root, u"Main", false), nullptr);
    EXPECT_EQ(add<CDisplayNode>(root, u"Main", true)->name(), u"Main1");

    // Nodes are owned by the container and filed by node key.
    auto* display = doc->findNode(root, u"Display3", NodeType::Display);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->owner(), &root);
    EXPECT_EQ(root.nodes().begin()->first, u"Display\nDisplay1");
}

TEST_F(AppFixture, UniqueNameRefreshesInputAndMenuSelfReferences) {
    add<CMenuNode>(root, u"Menu1");
    auto* menu = add<CMenuNode>(root, u"Menu1");
    ASSERT_EQ(menu->name(), u"Menu2");
    for (const auto& key : menu->keys) EXPECT_TRUE(key.link.names(NodeType::Menu, u"Menu2"));

    add<CInputNode>(root, u"Input1");
    auto* input = add<CInputNode>(root, u"Input1");
    ASSERT_EQ(input->name(), u"Input2");
    for (const auto& channel : input->channels)
        EXPECT_TRUE(channel.link.names(NodeType::Input, u"Input2"));
    EXPECT_TRUE(input->error.names(NodeType::Input, u"Input2"));
}

TEST_F(AppFixture, SubroutinesKeepNoFrameAndNoExit) {
    auto* sub = doc->addSubroutine(root, std::make_unique<CSubroutineNode>());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(doc->addNode(*sub, std::make_unique<CFrameNode>(u"Inner"), true), nullptr);
    EXPECT_EQ(doc->addNode(*sub, std::make_unique<CExitNode>(), true), nullptr);
    EXPECT_TRUE(sub->childFrames().empty());
    EXPECT_TRUE(sub->nodes().empty());
    EXPECT_TRUE(doc->frames().empty());
    // Subroutines, declarations and embedded nodes are not added to containers.
    EXPECT_EQ(doc->addNode(root, std::make_unique<CSubroutineNode>(u"S"), true), nullptr);
    EXPECT_EQ(doc->addNode(root, std::make_unique<CFileDecl>(u"F"), true), nullptr);
    EXPECT_EQ(doc->addNode(root, nullptr, true), nullptr);
}

TEST_F(AppFixture, SubroutineNamesAreUniqueInTheApplication) {
    auto* orders = add<CFrameNode>(root, u"Orders");
    auto* first = doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"Check"));
    auto* second = doc->addSubroutine(*orders, std::make_unique<CSubroutineNode>(u"Check"));
    EXPECT_EQ(first->name(), u"Check");
    EXPECT_EQ(second->name(), u"Check1");
    EXPECT_EQ(second->owningFrame, orders);
    EXPECT_EQ(second->entry().name(), u"Check1");
    EXPECT_EQ(second->returnNode().name(), u"Check1");
    EXPECT_EQ(second->lastAddedName, u"Check1");
    EXPECT_EQ(doc->findNode(root, u"Check1", NodeType::Subroutine), second);
}

TEST_F(AppFixture, FullNamesFollowFramesAndContainers) {
    root.setName(u"App");
    auto* orders = add<CFrameNode>(root, u"Orders");
    auto* scan = add<CFrameNode>(*orders, u"Scan");
    auto* qty = add<CInputNode>(*scan, u"Qty");
    auto* check = doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"Check"));
    auto* qtyInSub = add<CInputNode>(*check, u"Qty");

    EXPECT_EQ(fullName(root), u"App");
    EXPECT_EQ(fullName(*scan), u"App.Orders.Scan");
    EXPECT_EQ(fullName(*qty), u"App.Orders.Scan.Qty");
    EXPECT_EQ(fullName(*check), u"Check");
    EXPECT_EQ(fullName(*qtyInSub), u"Check.Qty");
    EXPECT_EQ(fullName(scan->entry()), u"App.Orders.Scan.Scan");
    EXPECT_EQ(fullName(check->returnNode()), u"Check.Check");
    EXPECT_EQ(scan->parentFrame, orders);
}

TEST_F(AppFixture, FindSearchesTheRightPlacePerType) {
    auto* orders = add<CFrameNode>(root, u"Orders");
    auto* scan = add<CFrameNode>(*orders, u"Scan");
    auto* sub = doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"Check"));
    auto* copy = add<CCopyNode>(root, u"Copy1");

    EXPECT_EQ(doc->findNode(root, u"Orders", NodeType::Frame), orders);
    // A frame that is not a child is found through the frame index.
    EXPECT_EQ(doc->findNode(root, u"Scan", NodeType::Frame), scan);
    EXPECT_EQ(doc->findNode(*orders, u"Check", NodeType::Subroutine), sub);
    EXPECT_EQ(doc->findNode(root, u"Frame1", NodeType::Entry), &root.entry());
    EXPECT_EQ(doc->findNode(*sub, u"Check", NodeType::Return), &sub->returnNode());
    EXPECT_EQ(doc->findNode(root, u"Frame1", NodeType::Return), nullptr);
    EXPECT_EQ(doc->findNode(root, u"Copy1", NodeType::Copy), copy);
    EXPECT_EQ(doc->findNode(root, u"Copy1", NodeType::Math), nullptr);
    EXPECT_EQ(doc->findNode(*orders, u"Copy1", NodeType::Copy), nullptr);
}

TEST_F(AppFixture, FramesOutsideTheIndexAreStillChildren) {
    auto* hidden = static_cast<CFrameNode*>(
        doc->addNode(root, std::make_unique<CFrameNode>(u"Hidden"), true, false));
    ASSERT_NE(hidden, nullptr);
    EXPECT_TRUE(doc->frames().empty());
    EXPECT_EQ(root.findChildFrame(u"Hidden"), hidden);
}

TEST_F(AppFixture, FrameNamesAreUniqueAcrossTheApplication) {
    auto* a = add<CFrameNode>(root, u"A");
    add<CFrameNode>(*a, u"Scan");
    auto* b = add<CFrameNode>(root, u"B");
    // A second Scan under another parent would share the index key.
    EXPECT_EQ(add<CFrameNode>(*b, u"Scan")->name(), u"Scan1");
    EXPECT_EQ(doc->frames().size(), 4u);
}

TEST_F(AppFixture, RenameRefilesTheNodeAndUpdatesLinksToIt) {
    auto* display = add<CDisplayNode>(root, u"Show");
    auto* copy = add<CCopyNode>(root, u"Copy1");
    copy->next.setTarget(NodeType::Display, u"Show");
    copy->error.setTarget(NodeType::Display, u"Show");
    root.entry().next.setTarget(NodeType::Display, u"Show");
    auto* other = add<CMenuNode>(root, u"Show"); // same name, other type: untouched links
    copy->next.bendPoints = {{10, 20}};

    ASSERT_TRUE(doc->renameNode(root, u"Show", u"Welcome", NodeType::Display));
    EXPECT_EQ(display->name(), u"Welcome");
    EXPECT_EQ(doc->findNode(root, u"Welcome", NodeType::Display), display);
    EXPECT_EQ(doc->findNode(root, u"Show", NodeType::Display), nullptr);
    EXPECT_TRUE(copy->next.names(NodeType::Display, u"Welcome"));
    EXPECT_EQ(copy->next.bendPoints.size(), 1u);
    EXPECT_TRUE(copy->error.names(NodeType::Display, u"Welcome"));
    EXPECT_TRUE(root.entry().next.names(NodeType::Display, u"Welcome"));
    EXPECT_EQ(other->name(), u"Show");
    EXPECT_TRUE(other->keys[0].link.names(NodeType::Menu, u"Show"));
}

TEST_F(AppFixture, RenameRefusesTakenInvalidOrMissingNames) {
    add<CDisplayNode>(root, u"A");
    add<CDisplayNode>(root, u"B");
    add<CMenuNode>(root, u"C");
    EXPECT_FALSE(doc->renameNode(root, u"A", u"B", NodeType::Display));
    EXPECT_FALSE(doc->renameNode(root, u"A", u"x.y", NodeType::Display));
    EXPECT_FALSE(doc->renameNode(root, u"A", u"   ", NodeType::Display));
    EXPECT_FALSE(doc->renameNode(root, u"A", std::u16string(33, u'a'), NodeType::Display));
    EXPECT_FALSE(doc->renameNode(root, u"Nope", u"D", NodeType::Display));
    EXPECT_TRUE(doc->renameNode(root, u"A", u"C", NodeType::Display)); // Menu C is another type
    EXPECT_NE(doc->findNode(root, u"C", NodeType::Display), nullptr);
}

TEST_F(AppFixture, RenamingAnInputNodeCarriesItsSelfReferences) {
    auto* input = add<CInputNode>(root, u"Scan");
    input->channel(InputChannel::Scanner).on = true;
    ASSERT_TRUE(doc->renameNode(root, u"Scan", u"Read", NodeType::Input));
    for (const auto& channel : input->channels)
        EXPECT_TRUE(channel.link.names(NodeType::Input, u"Read"));
    EXPECT_TRUE(input->error.names(NodeType::Input, u"Read"));
}

TEST_F(AppFixture, RenamingASubroutineUpdatesEntryReturnOwnerListAndCallers) {
    auto* orders = add<CFrameNode>(root, u"Orders");
    auto* sub = doc->addSubroutine(*orders, std::make_unique<CSubroutineNode>(u"Check"));
    orders->ownedSubroutines.push_back(u"Check");
    auto* call1 = add<CCallNode>(root, u"Call1");
    auto* call2 = add<CCallNode>(*orders, u"Call1");
    call1->subroutine.setTarget(NodeType::Subroutine, u"Check");
    call2->subroutine.setTarget(NodeType::Subroutine, u"Check");
    doc->rebuildCallers();
    EXPECT_EQ(sub->callers.size(), 2u);

    ASSERT_TRUE(doc->renameNode(*orders, u"Check", u"Verify", NodeType::Subroutine));
    EXPECT_EQ(sub->name(), u"Verify");
    EXPECT_EQ(sub->entry().name(), u"Verify");
    EXPECT_EQ(sub->returnNode().name(), u"Verify");
    EXPECT_EQ(orders->ownedSubroutines, std::vector<std::u16string>{u"Verify"});
    EXPECT_TRUE(call1->subroutine.names(NodeType::Subroutine, u"Verify"));
    EXPECT_TRUE(call2->subroutine.names(NodeType::Subroutine, u"Verify"));
    EXPECT_EQ(doc->findSubroutine(u"Verify"), sub);
    EXPECT_EQ(doc->findSubroutine(u"Check"), nullptr);

    doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"Other"));
    EXPECT_FALSE(doc->renameNode(root, u"Verify", u"Other", NodeType::Subroutine));
}

TEST_F(AppFixture, RenamingAFrameRefilesItInParentAndIndex) {
    auto* orders = add<CFrameNode>(root, u"Orders");
    auto* display = add<CDisplayNode>(root, u"D");
    display->next.setTarget(NodeType::Frame, u"Orders");
    ASSERT_TRUE(doc->renameNode(root, u"Orders", u"Sales", NodeType::Frame));
    EXPECT_EQ(root.findChildFrame(u"Sales"), orders);
    EXPECT_EQ(root.findChildFrame(u"Orders"), nullptr);
    EXPECT_EQ(doc->frames().count(u"Frame\nSales"), 1u);
    EXPECT_EQ(orders->entry().name(), u"Sales");
    EXPECT_TRUE(display->next.names(NodeType::Frame, u"Sales"));

    // The root frame renames in place.
    ASSERT_TRUE(doc->renameNode(root, u"Frame1", u"App", NodeType::Frame));
    EXPECT_EQ(root.name(), u"App");
    EXPECT_EQ(root.entry().name(), u"App");
}

TEST_F(AppFixture, RenamingATargetUpdatesExitsOfChildFrames) {
    add<CDisplayNode>(root, u"Done");
    auto* child = add<CFrameNode>(root, u"Child");
    auto* exit = add<CExitNode>(*child, u"Done");
    exit->target.setTarget(NodeType::Display, u"Done");
    child->exitRecords[makeNodeKey(NodeType::Display, u"Done")] =
        ExitRecord{u"Done", exit->target};
    ASSERT_TRUE(doc->renameNode(root, u"Done", u"Finish", NodeType::Display));
    EXPECT_TRUE(exit->target.names(NodeType::Display, u"Finish"));
    EXPECT_TRUE(child->exitRecords.begin()->second.link.names(NodeType::Display, u"Finish"));
}

TEST_F(AppFixture, DeleteEmptiesEveryLinkThatNamedTheNode) {
    add<CDisplayNode>(root, u"Gone");
    auto* copy = add<CCopyNode>(root, u"Copy1");
    copy->next.setTarget(NodeType::Display, u"Gone");
    copy->next.bendPoints = {{1, 2}};
    copy->error.setTarget(NodeType::Menu, u"Gone"); // another type: kept
    root.entry().next.setTarget(NodeType::Display, u"Gone");
    auto* child = add<CFrameNode>(root, u"Child");
    auto* exit = add<CExitNode>(*child, u"Gone");
    exit->target.setTarget(NodeType::Display, u"Gone");

    ASSERT_TRUE(doc->deleteNode(root, NodeType::Display, u"Gone"));
    EXPECT_EQ(doc->findNode(root, u"Gone", NodeType::Display), nullptr);
    EXPECT_TRUE(copy->next.isEmpty());
    EXPECT_TRUE(copy->next.bendPoints.empty());
    EXPECT_FALSE(copy->error.isEmpty());
    EXPECT_TRUE(root.entry().next.isEmpty());
    EXPECT_TRUE(exit->target.isEmpty());
    EXPECT_FALSE(doc->deleteNode(root, NodeType::Display, u"Gone"));
    EXPECT_FALSE(doc->deleteNode(root, NodeType::Entry, u"Frame1"));
}

TEST_F(AppFixture, DeletingACallRemovesItFromTheCallerList) {
    auto* sub = doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"S"));
    auto* call = add<CCallNode>(root, u"Call1");
    call->subroutine.setTarget(NodeType::Subroutine, u"S");
    doc->rebuildCallers();
    ASSERT_EQ(sub->callers.size(), 1u);
    ASSERT_TRUE(doc->deleteNode(root, NodeType::Call, u"Call1"));
    EXPECT_TRUE(sub->callers.empty());
}

TEST_F(AppFixture, DeletingASubroutineEmptiesItsCallers) {
    auto* sub = doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"Check"));
    root.ownedSubroutines.push_back(u"Check");
    add<CDisplayNode>(*sub, u"Inside");
    auto* a = add<CCallNode>(root, u"A");
    auto* b = add<CCallNode>(root, u"B");
    a->subroutine.setTarget(NodeType::Subroutine, u"Check");
    b->subroutine.setTarget(NodeType::Subroutine, u"Check");
    doc->rebuildCallers();
    ASSERT_EQ(sub->callers.size(), 2u);

    ASSERT_TRUE(doc->deleteSubroutine(u"Check"));
    EXPECT_EQ(doc->findSubroutine(u"Check"), nullptr);
    EXPECT_TRUE(root.ownedSubroutines.empty());
    EXPECT_TRUE(a->subroutine.isEmpty());
    EXPECT_TRUE(b->subroutine.isEmpty());
    EXPECT_FALSE(doc->deleteSubroutine(u"Check"));
}

TEST_F(AppFixture, DeletingAFrameCascadesToChildFramesAndOwnedSubroutines) {
    auto* orders = add<CFrameNode>(root, u"Orders");
    auto* scan = add<CFrameNode>(*orders, u"Scan");
    doc->addSubroutine(*scan, std::make_unique<CSubroutineNode>(u"Check"));
    scan->ownedSubroutines.push_back(u"Check");
    auto* keep = doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"Keep"));

    // A call inside the doomed tree to a surviving subroutine, and a call
    // outside it to a doomed one.
    auto* inner = add<CCallNode>(*scan, u"Inner");
    inner->subroutine.setTarget(NodeType::Subroutine, u"Keep");
    auto* outer = add<CCallNode>(root, u"Outer");
    outer->subroutine.setTarget(NodeType::Subroutine, u"Check");
    auto copy = std::make_unique<CCopyNode>();
    copy->source.kind = SourceKind::File;
    copy->source.file.fileName = u"Default File";
    doc->addNode(*scan, std::move(copy), true);
    auto* display = add<CDisplayNode>(root, u"D");
    display->next.setTarget(NodeType::Frame, u"Orders");
    doc->rebuildCallers();
    ASSERT_EQ(keep->callers.size(), 1u);

    ASSERT_TRUE(doc->deleteFrame(root, u"Orders"));
    EXPECT_EQ(root.findChildFrame(u"Orders"), nullptr);
    EXPECT_TRUE(doc->frames().empty());
    EXPECT_EQ(doc->findSubroutine(u"Check"), nullptr);
    EXPECT_EQ(doc->findSubroutine(u"Keep"), keep);
    EXPECT_TRUE(keep->callers.empty());
    EXPECT_TRUE(outer->subroutine.isEmpty());
    EXPECT_TRUE(display->next.isEmpty());
    EXPECT_FALSE(doc->references().isUsed(NodeType::File, u"Default File"));
    EXPECT_FALSE(doc->deleteFrame(root, u"Orders"));
    EXPECT_FALSE(doc->deleteFrame(root, u"Frame1")); // the root is nobody's child
}

TEST_F(AppFixture, ReferenceRegistryFollowsOperandsAndDeclarationRenames) {
    auto orders = std::make_unique<CFieldDecl>(u"Qty", 4);
    doc->addField(std::move(orders));
    doc->addFile(std::make_unique<CFileDecl>(u"Orders"));
    doc->addRegister(std::make_unique<CRegisterDecl>(u"Work"));
    auto tmpl = std::make_unique<CTemplateDecl>(u"Line");
    tmpl->fields = {u"Qty", u"Separator"};
    doc->addTemplate(std::move(tmpl));

    auto copy = std::make_unique<CCopyNode>();
    copy->source.kind = SourceKind::File;
    copy->source.file.fileName = u"Orders";
    copy->destination.kind = DestinationKind::Register;
    copy->destination.reg = {u"Work", true, u"Line", u"Qty"};
    auto* added = static_cast<CCopyNode*>(doc->addNode(root, std::move(copy), true));
    ASSERT_NE(added, nullptr);

    const auto& refs = doc->references();
    EXPECT_EQ(refs.usersOf(NodeType::File, u"Orders"), std::vector<CNodeBase*>{added});
    EXPECT_TRUE(refs.isUsed(NodeType::Register, u"Work"));
    EXPECT_TRUE(refs.isUsed(NodeType::Template, u"Line"));
    EXPECT_TRUE(refs.isUsed(NodeType::Field, u"Qty"));
    EXPECT_FALSE(refs.isUsed(NodeType::Register, u"Default Register"));

    ASSERT_TRUE(doc->renameDeclaration(NodeType::File, u"Orders", u"Sales"));
    EXPECT_EQ(added->source.file.fileName, u"Sales");
    EXPECT_EQ(doc->files().count(u"Sales"), 1u);
    EXPECT_EQ(doc->files().count(u"Orders"), 0u);
    EXPECT_FALSE(refs.isUsed(NodeType::File, u"Orders"));
    EXPECT_TRUE(refs.isUsed(NodeType::File, u"Sales"));

    ASSERT_TRUE(doc->renameDeclaration(NodeType::Field, u"Qty", u"Count"));
    EXPECT_EQ(added->destination.reg.fieldName, u"Count");
    EXPECT_EQ(doc->templates().at(u"Line")->fields[0], u"Count");
    EXPECT_EQ(doc->templates().at(u"Line")->positionOf(u"Count"), 1u);

    ASSERT_TRUE(doc->renameDeclaration(NodeType::Register, u"Work", u"Temp"));
    EXPECT_EQ(added->destination.reg.registerName, u"Temp");

    ASSERT_TRUE(doc->deleteNode(root, NodeType::Copy, added->name()));
    EXPECT_FALSE(refs.isUsed(NodeType::File, u"Sales"));
}

TEST_F(AppFixture, DeclarationRenamesRespectDefaultsDuplicatesAndRules) {
    EXPECT_FALSE(doc->renameDeclaration(NodeType::Register, u"System Date", u"Date"));
    EXPECT_FALSE(doc->renameDeclaration(NodeType::File, u"Default File", u"F"));
    EXPECT_FALSE(doc->renameDeclaration(NodeType::Template, u"System Time Template", u"T"));
    // Default fields carry no mark and can be renamed.
    EXPECT_TRUE(doc->renameDeclaration(NodeType::Field, u"Separator", u"Sep"));
    EXPECT_TRUE(doc->templates().at(u"System Date Template")->positionOf(u"Sep") == 2);
    EXPECT_FALSE(doc->renameDeclaration(NodeType::Field, u"Year", u"Month"));
    EXPECT_FALSE(doc->renameDeclaration(NodeType::Field, u"Year", u"a/b"));
    EXPECT_FALSE(doc->renameDeclaration(NodeType::Field, u"Year", std::u16string(23, u'y')));
    EXPECT_TRUE(doc->renameDeclaration(NodeType::Field, u"Year", std::u16string(22, u'y')));
    EXPECT_FALSE(doc->renameDeclaration(NodeType::Field, u"Missing", u"X"));
    // Same name in another kind is allowed; in the same kind it is refused.
    EXPECT_NE(doc->addFile(std::make_unique<CFileDecl>(u"Year")), nullptr);
    EXPECT_EQ(doc->addFile(std::make_unique<CFileDecl>(u"Year")), nullptr);
}

TEST_F(AppFixture, ForEachContainerVisitsRootFramesThenSubroutines) {
    root.setName(u"App");
    auto* b = add<CFrameNode>(root, u"B");
    add<CFrameNode>(root, u"A");
    add<CFrameNode>(*b, u"C");
    doc->addSubroutine(root, std::make_unique<CSubroutineNode>(u"S"));
    std::vector<std::u16string> seen;
    doc->forEachContainer([&](CContainerNode& c) { seen.push_back(fullName(c)); });
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"App", u"App.A", u"App.B", u"App.B.C", u"S"}));
}

TEST(DocumentPath, RefusesPathsOverTheLimit) {
    CDocContext doc;
    EXPECT_TRUE(doc.setPath(std::u16string(kMaxDocumentPathLength, u'p')));
    EXPECT_FALSE(doc.setPath(std::u16string(kMaxDocumentPathLength + 1, u'p')));
    EXPECT_EQ(doc.path().size(), kMaxDocumentPathLength);
}

} // namespace
} // namespace tarvo
