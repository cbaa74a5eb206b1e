// CDocContext: adding, finding, renaming and deleting the objects of one application.
#include "tarvo/model/doc_context.h"

#include <algorithm>

#include "tarvo/model/call_node.h"
#include "tarvo/model/exit_node.h"
#include "tarvo/model/input_node.h"
#include "tarvo/model/menu_node.h"
#include "tarvo/model/node_key.h"

namespace tarvo {
namespace {

bool isFlowNodeType(NodeType type) {
    const int code = static_cast<int>(type);
    return code >= static_cast<int>(NodeType::Call) && code <= static_cast<int>(NodeType::Verify);
}

/// Re-files the entry of `map` under `oldKey` as `newKey`.
template <class Map>
void refile(Map& map, const std::u16string& oldKey, const std::u16string& newKey) {
    auto handle = map.extract(oldKey);
    if (handle.empty()) return;
    handle.key() = newKey;
    map.insert(std::move(handle));
}

/// Renames links naming (type, oldName) in every node of `container` that
/// can point at its siblings: the Entry and the node map.
void renameLinksIn(CContainerNode& container, NodeType type, std::u16string_view oldName,
                   std::u16string_view newName) {
    container.entry().renameReferences(oldName, newName, type);
    for (auto& [key, node] : container.nodes()) node->renameReferences(oldName, newName, type);
}

/// Exit nodes of the child frames and the child frames' exit records point
/// at nodes of `frame`.
void renameExitLinksInto(CContainerNode& frame, NodeType type, std::u16string_view oldName,
                         std::u16string_view newName) {
    for (auto& [key, child] : frame.childFrames()) {
        child->renameReferences(oldName, newName, type);
        for (auto& [nodeKey, node] : child->nodes()) {
            if (node->type() == NodeType::Exit) node->renameReferences(oldName, newName, type);
        }
    }
}

} // namespace

CDocContext::CDocContext() : root_(std::make_unique<CFrameNode>(u"Frame1")) {
    root_->syncEmbeddedNames();
    root_->lastAddedName = root_->name();
}

CDocContext::~CDocContext() = default;

std::unique_ptr<CDocContext> CDocContext::createNew(const AppSettings& settings) {
    auto doc = std::make_unique<CDocContext>();
    doc->settings = settings;
    doc->createDefaultDeclarations();
    return doc;
}

bool CDocContext::setPath(std::u16string_view path) {
    if (path.size() > kMaxDocumentPathLength) return false;
    path_ = path;
    return true;
}

// ---- nodes ------------------------------------------------------------------

CNodeBase* CDocContext::addNode(CContainerNode& container, std::unique_ptr<CNodeBase> node,
                                bool makeUnique, bool fileInFrameIndex) {
    if (!node) return nullptr;
    const NodeType type = node->type();
    const bool inSubroutine = container.type() == NodeType::Subroutine;
    // A subroutine keeps no frame and no Exit; other kinds are added elsewhere.
    if (type == NodeType::Frame && inSubroutine) return nullptr;
    if (type == NodeType::Exit && inSubroutine) return nullptr;
    if (type != NodeType::Frame && type != NodeType::Exit && !isFlowNodeType(type)) return nullptr;

    if (type == NodeType::Frame) {
        auto* frame = static_cast<CFrameNode*>(node.get());
        frame->parentFrame = static_cast<CFrameNode*>(&container);
        if (makeUnique) {
            // Frame names are kept unique in the whole application so the
            // application's frame index never files two frames under one key.
            frame->setName(makeUniqueName(frame->name(), [&](std::u16string_view name) {
                return container.findChildFrame(name) != nullptr ||
                       frames_.count(makeNodeKey(NodeType::Frame, name)) != 0 ||
                       root_->name() == name;
            }));
        }
        const std::u16string key = makeNodeKey(NodeType::Frame, frame->name());
        if (container.childFrames_.count(key) != 0) return nullptr;
        frame->lastAddedName = frame->name();
        frame->syncEmbeddedNames();
        if (fileInFrameIndex) frames_.emplace(key, frame);
        container.childFrames_.emplace(key, std::unique_ptr<CFrameNode>(
                                                static_cast<CFrameNode*>(node.release())));
        return frame;
    }

    node->setOwner(&container);
    if (makeUnique) {
        const std::u16string oldName = node->name();
        node->setName(makeUniqueName(oldName, [&](std::u16string_view name) {
            return container.findInNodes(type, name) != nullptr;
        }));
        if (type == NodeType::Input) static_cast<CInputNode&>(*node).refreshKeyTable(oldName);
        if (type == NodeType::Menu) static_cast<CMenuNode&>(*node).refreshKeyTable(oldName);
    }
    const std::u16string key = makeNodeKey(type, node->name());
    if (container.nodes_.count(key) != 0) return nullptr;
    CNodeBase* added = node.get();
    container.nodes_.emplace(key, std::move(node));
    references_.enterNode(*added);
    return added;
}

CSubroutineNode* CDocContext::addSubroutine(CFrameNode& frame,
                                            std::unique_ptr<CSubroutineNode> sub) {
    if (!sub) return nullptr;
    sub->setName(makeUniqueName(sub->name(), [&](std::u16string_view name) {
        return findSubroutine(name) != nullptr;
    }));
    sub->lastAddedName = sub->name();
    sub->syncEmbeddedNames();
    sub->owningFrame = &frame;
    CSubroutineNode* added = sub.get();
    subroutines_.emplace(makeNodeKey(NodeType::Subroutine, added->name()), std::move(sub));
    return added;
}

CSubroutineNode* CDocContext::findSubroutine(std::u16string_view name) const {
    auto it = subroutines_.find(makeNodeKey(NodeType::Subroutine, name));
    return it == subroutines_.end() ? nullptr : it->second.get();
}

CNodeBase* CDocContext::findNode(const CContainerNode& container, std::u16string_view name,
                                 NodeType type) const {
    switch (type) {
    case NodeType::Frame: {
        if (CFrameNode* child = container.findChildFrame(name)) return child;
        auto it = frames_.find(makeNodeKey(NodeType::Frame, name));
        return it == frames_.end() ? nullptr : it->second;
    }
    case NodeType::Subroutine:
        return findSubroutine(name);
    case NodeType::Entry: {
        const CEntryNode& entry = container.entry();
        return entry.name() == name ? const_cast<CEntryNode*>(&entry) : nullptr;
    }
    case NodeType::Return: {
        if (container.type() != NodeType::Subroutine) return nullptr;
        const auto& sub = static_cast<const CSubroutineNode&>(container);
        return sub.returnNode().name() == name ? const_cast<CReturnNode*>(&sub.returnNode())
                                               : nullptr;
    }
    default:
        return container.findInNodes(type, name);
    }
}

bool CDocContext::renameNode(CContainerNode& container, std::u16string_view oldName,
                             std::u16string_view newName, NodeType type) {
    if (!isValidName(newName) || newName.size() > kMaxNodeNameLength) return false;
    if (type == NodeType::Entry || type == NodeType::Return || isDeclarationType(type))
        return false;
    const std::u16string oldKey = makeNodeKey(type, oldName);
    const std::u16string newKey = makeNodeKey(type, newName);

    if (type == NodeType::Subroutine) {
        CSubroutineNode* sub = findSubroutine(oldName);
        if (!sub) return false;
        if (oldName == newName) return true;
        if (findSubroutine(newName)) return false;
        sub->setName(newName);
        sub->syncEmbeddedNames();
        refile(subroutines_, oldKey, newKey);
        if (sub->owningFrame) {
            auto& owned = sub->owningFrame->ownedSubroutines;
            std::replace(owned.begin(), owned.end(), std::u16string(oldName),
                         std::u16string(newName));
        }
        // Every Call node of the application may call it.
        forEachContainer([&](CContainerNode& c) { renameLinksIn(c, type, oldName, newName); });
        return true;
    }

    if (type == NodeType::Frame) {
        CFrameNode* frame = container.findChildFrame(oldName);
        const bool isRoot = !frame && &container == root_.get() && root_->name() == oldName;
        if (!frame && !isRoot) return false;
        if (oldName == newName) return true;
        if (isRoot) {
            root_->setName(newName);
            root_->syncEmbeddedNames();
            return true;
        }
        if (container.findChildFrame(newName) || frames_.count(newKey) != 0) return false;
        frame->setName(newName);
        frame->syncEmbeddedNames();
        refile(container.childFrames_, oldKey, newKey);
        auto indexed = frames_.find(oldKey);
        if (indexed != frames_.end() && indexed->second == frame) refile(frames_, oldKey, newKey);
        renameLinksIn(container, type, oldName, newName);
        return true;
    }

    CNodeBase* node = container.findInNodes(type, oldName);
    if (!node) return false;
    if (oldName == newName) return true;
    if (container.findInNodes(type, newName)) return false;
    node->setName(newName);
    refile(container.nodes_, oldKey, newKey);
    // Links of the container (including an Input's or Menu's own
    // self-references) and exits of child frames that lead here.
    renameLinksIn(container, type, oldName, newName);
    renameExitLinksInto(container, type, oldName, newName);
    return true;
}

bool CDocContext::deleteNode(CContainerNode& container, NodeType type, std::u16string_view name) {
    if (!isFlowNodeType(type) && type != NodeType::Exit) return false;
    auto handle = container.nodes_.extract(makeNodeKey(type, name));
    if (handle.empty()) return false;
    std::unique_ptr<CNodeBase> node = std::move(handle.mapped());
    references_.forgetNode(*node);
    if (type == NodeType::Call) {
        auto* call = static_cast<CCallNode*>(node.get());
        for (auto& [key, sub] : subroutines_) std::erase(sub->callers, call);
    }
    if (type == NodeType::Exit && container.type() == NodeType::Frame) {
        auto& frame = static_cast<CFrameNode&>(container);
        const auto* exit = static_cast<const CExitNode*>(node.get());
        frame.exitRecords.erase(makeNodeKey(exit->target.targetType, exit->name()));
    }
    container.entry().forgetReferences(type, name);
    for (auto& [key, other] : container.nodes_) other->forgetReferences(type, name);
    for (auto& [key, child] : container.childFrames_) {
        child->forgetReferences(type, name);
        for (auto& [nodeKey, other] : child->nodes_) {
            if (other->type() == NodeType::Exit) other->forgetReferences(type, name);
        }
    }
    return true;
}

void CDocContext::forgetContainerContents(CContainerNode& container) {
    for (auto& [key, node] : container.nodes_) {
        references_.forgetNode(*node);
        if (node->type() != NodeType::Call) continue;
        auto* call = static_cast<CCallNode*>(node.get());
        for (auto& [subKey, sub] : subroutines_) std::erase(sub->callers, call);
    }
}

bool CDocContext::deleteSubroutine(std::u16string_view name) {
    auto handle = subroutines_.extract(makeNodeKey(NodeType::Subroutine, name));
    if (handle.empty()) return false;
    std::unique_ptr<CSubroutineNode> sub = std::move(handle.mapped());
    forgetContainerContents(*sub);
    if (sub->owningFrame) std::erase(sub->owningFrame->ownedSubroutines, sub->name());
    for (CCallNode* call : sub->callers) call->subroutine.clear();
    // Callers not yet listed (before the list is rebuilt) lose the link too.
    forEachContainer([&](CContainerNode& c) {
        for (auto& [key, node] : c.nodes_) node->forgetReferences(NodeType::Subroutine, name);
    });
    return true;
}

bool CDocContext::deleteFrame(CContainerNode& parent, std::u16string_view name) {
    const std::u16string key = makeNodeKey(NodeType::Frame, name);
    auto found = parent.childFrames_.find(key);
    if (found == parent.childFrames_.end()) return false;
    CFrameNode* doomed = found->second.get();

    // Collect the frame tree first; deleting subroutines walks the containers.
    std::vector<CFrameNode*> tree;
    std::function<void(CFrameNode&)> collect = [&](CFrameNode& frame) {
        tree.push_back(&frame);
        for (auto& [childKey, child] : frame.childFrames_) collect(*child);
    };
    collect(*doomed);
    for (CFrameNode* frame : tree) {
        const std::vector<std::u16string> owned = frame->ownedSubroutines;
        for (const std::u16string& subName : owned) {
            CSubroutineNode* sub = findSubroutine(subName);
            if (sub && sub->owningFrame == frame) deleteSubroutine(subName);
        }
    }
    // Subroutines created in a deleted frame but missing from its list go too.
    std::vector<std::u16string> orphans;
    for (auto& [subKey, sub] : subroutines_) {
        if (std::find(tree.begin(), tree.end(), sub->owningFrame) != tree.end())
            orphans.push_back(sub->name());
    }
    for (const std::u16string& subName : orphans) deleteSubroutine(subName);

    for (CFrameNode* frame : tree) {
        forgetContainerContents(*frame);
        for (auto it = frames_.begin(); it != frames_.end();) {
            it = it->second == frame ? frames_.erase(it) : std::next(it);
        }
    }
    parent.entry().forgetReferences(NodeType::Frame, name);
    for (auto& [nodeKey, node] : parent.nodes_) node->forgetReferences(NodeType::Frame, name);
    parent.childFrames_.erase(found);
    return true;
}

void CDocContext::forEachContainer(const std::function<void(CContainerNode&)>& visit) {
    std::function<void(CFrameNode&)> walk = [&](CFrameNode& frame) {
        visit(frame);
        for (auto& [key, child] : frame.childFrames_) walk(*child);
    };
    walk(*root_);
    for (auto& [key, sub] : subroutines_) visit(*sub);
}

void CDocContext::rebuildCallers() {
    for (auto& [key, sub] : subroutines_) sub->callers.clear();
    forEachContainer([&](CContainerNode& container) {
        for (auto& [key, node] : container.nodes_) {
            if (node->type() != NodeType::Call) continue;
            auto* call = static_cast<CCallNode*>(node.get());
            if (call->subroutine.isEmpty()) continue;
            if (CSubroutineNode* sub = findSubroutine(call->subroutine.targetName))
                sub->callers.push_back(call);
        }
    });
}

// ---- declarations -------------------------------------------------------------

namespace {

template <class Decl>
Decl* fileDeclaration(std::map<std::u16string, std::unique_ptr<Decl>>& map,
                      std::unique_ptr<Decl> decl, ReferenceRegistry& references) {
    if (!decl || decl->name().empty()) return nullptr;
    if (map.count(decl->name()) != 0) return nullptr;
    Decl* added = decl.get();
    references.enterDeclaration(added->type(), added->name());
    map.emplace(added->name(), std::move(decl));
    return added;
}

template <class Decl>
Decl* findIn(const std::map<std::u16string, std::unique_ptr<Decl>>& map,
             std::u16string_view name) {
    auto it = map.find(std::u16string(name));
    return it == map.end() ? nullptr : it->second.get();
}

} // namespace

CFileDecl* CDocContext::addFile(std::unique_ptr<CFileDecl> decl) {
    return fileDeclaration(files_, std::move(decl), references_);
}
CRegisterDecl* CDocContext::addRegister(std::unique_ptr<CRegisterDecl> decl) {
    return fileDeclaration(registers_, std::move(decl), references_);
}
CFieldDecl* CDocContext::addField(std::unique_ptr<CFieldDecl> decl) {
    return fileDeclaration(fields_, std::move(decl), references_);
}
CTemplateDecl* CDocContext::addTemplate(std::unique_ptr<CTemplateDecl> decl) {
    return fileDeclaration(templates_, std::move(decl), references_);
}

CNodeBase* CDocContext::findDeclaration(NodeType type, std::u16string_view name) const {
    switch (type) {
    case NodeType::File: return findIn(files_, name);
    case NodeType::Register: return findIn(registers_, name);
    case NodeType::Field: return findIn(fields_, name);
    case NodeType::Template: return findIn(templates_, name);
    default: return nullptr;
    }
}

bool CDocContext::renameDeclaration(NodeType type, std::u16string_view oldName,
                                    std::u16string_view newName) {
    CNodeBase* decl = findDeclaration(type, oldName);
    if (!decl) return false;
    if (oldName == newName) return true;
    if (!isValidName(newName) || newName.size() > kMaxDeclarationNameLength) return false;
    if (findDeclaration(type, newName)) return false;
    bool isDefault = false;
    if (type == NodeType::File) isDefault = static_cast<CFileDecl*>(decl)->isDefault;
    if (type == NodeType::Register) isDefault = static_cast<CRegisterDecl*>(decl)->isDefault;
    if (type == NodeType::Template) isDefault = static_cast<CTemplateDecl*>(decl)->isDefault;
    if (isDefault) return false;

    const std::u16string oldKey(oldName);
    const std::u16string newKey(newName);
    decl->setName(newName);
    switch (type) {
    case NodeType::File: refile(files_, oldKey, newKey); break;
    case NodeType::Register: refile(registers_, oldKey, newKey); break;
    case NodeType::Field: refile(fields_, oldKey, newKey); break;
    case NodeType::Template: refile(templates_, oldKey, newKey); break;
    default: break;
    }
    references_.forgetDeclaration(type, oldName);
    references_.enterDeclaration(type, newName);
    for (CNodeBase* user : references_.usersOf(type, oldName)) {
        user->renameReferences(oldName, newName, type);
        references_.enterNode(*user);
    }
    if (type == NodeType::Field) {
        for (auto& [key, tmpl] : templates_) tmpl->renameReferences(oldName, newName, type);
    }
    return true;
}

void CDocContext::createDefaultDeclarations() {
    addFile(std::make_unique<CFileDecl>(u"Default File", true));
    for (const char16_t* name : {u"Default Register", u"[ No Register ]", u"Input Size Register",
                                 u"System Date", u"System Time"})
        addRegister(std::make_unique<CRegisterDecl>(name, true));
    addField(std::make_unique<CFieldDecl>(u"Separator", 1));
    for (const char16_t* name : {u"Year", u"Month", u"Day", u"Seconds", u"Minutes", u"Hours"})
        addField(std::make_unique<CFieldDecl>(name, 2));
    auto date = std::make_unique<CTemplateDecl>(u"System Date Template", true);
    date->fields = {u"Month", u"Separator", u"Day", u"Separator", u"Year"};
    addTemplate(std::move(date));
    auto time = std::make_unique<CTemplateDecl>(u"System Time Template", true);
    time->fields = {u"Hours", u"Separator", u"Minutes", u"Separator", u"Seconds"};
    addTemplate(std::move(time));
}

// ---- names --------------------------------------------------------------------

std::u16string fullName(const CNodeBase& node) {
    std::u16string prefix;
    if (node.type() == NodeType::Frame) {
        const auto& frame = static_cast<const CFrameNode&>(node);
        if (frame.parentFrame) prefix = fullName(*frame.parentFrame);
    } else if (node.type() != NodeType::Subroutine && !isDeclarationType(node.type()) &&
               node.owner()) {
        prefix = fullName(*node.owner());
    }
    if (prefix.empty()) return node.name();
    return prefix + kFullNameSeparator + node.name();
}

} // namespace tarvo
