// ReferenceRegistry: node-to-declaration uses, kept both ways.
#include "tarvo/model/reference_registry.h"

#include "tarvo/model/node_base.h"

namespace tarvo {

void ReferenceRegistry::enterNode(const CNodeBase& node) {
    if (isDeclarationType(node.type()) || isContainerType(node.type())) return;
    forgetNode(node);
    std::vector<DeclarationUse> uses = node.declarationUses();
    if (uses.empty()) return;
    for (const DeclarationUse& use : uses)
        usersByDeclaration_[use].insert(const_cast<CNodeBase*>(&node));
    usesByNode_[&node] = std::move(uses);
}

void ReferenceRegistry::forgetNode(const CNodeBase& node) {
    auto it = usesByNode_.find(&node);
    if (it == usesByNode_.end()) return;
    for (const DeclarationUse& use : it->second) {
        auto users = usersByDeclaration_.find(use);
        if (users == usersByDeclaration_.end()) continue;
        users->second.erase(const_cast<CNodeBase*>(&node));
        if (users->second.empty()) usersByDeclaration_.erase(users);
    }
    usesByNode_.erase(it);
}

void ReferenceRegistry::enterDeclaration(NodeType type, std::u16string_view name) {
    declarations_.insert({type, std::u16string(name)});
}

void ReferenceRegistry::forgetDeclaration(NodeType type, std::u16string_view name) {
    declarations_.erase({type, std::u16string(name)});
}

bool ReferenceRegistry::hasDeclaration(NodeType type, std::u16string_view name) const {
    return declarations_.count({type, std::u16string(name)}) != 0;
}

std::vector<CNodeBase*> ReferenceRegistry::usersOf(NodeType type, std::u16string_view name) const {
    auto it = usersByDeclaration_.find({type, std::u16string(name)});
    if (it == usersByDeclaration_.end()) return {};
    return {it->second.begin(), it->second.end()};
}

bool ReferenceRegistry::isUsed(NodeType type, std::u16string_view name) const {
    return usersByDeclaration_.count({type, std::u16string(name)}) != 0;
}

void ReferenceRegistry::clear() {
    usesByNode_.clear();
    usersByDeclaration_.clear();
    declarations_.clear();
}

} // namespace tarvo
