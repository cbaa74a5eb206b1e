// CNodeBase: names, descriptions and the link operations shared by every node.
#include "tarvo/model/node_base.h"

namespace tarvo {

CNodeBase::CNodeBase(NodeType type, std::u16string name) : type_(type) {
    if (name.size() <= maxNameLength(type)) name_ = std::move(name);
}

bool CNodeBase::setName(std::u16string_view name) {
    if (name.size() > maxNameLength(type_)) return false;
    name_ = name;
    return true;
}

bool CNodeBase::setDescription(std::u16string_view text) {
    if (text.size() > kMaxDescriptionLength) return false;
    description_ = text;
    return true;
}

std::vector<const NodeLink*> CNodeBase::links() const {
    std::vector<NodeLink*> all = const_cast<CNodeBase*>(this)->links();
    return {all.begin(), all.end()};
}

void CNodeBase::forgetReferences(NodeType type, std::u16string_view name) {
    for (NodeLink* link : links()) {
        if (link->names(type, name)) link->clear();
    }
}

bool CNodeBase::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                 NodeType type) {
    bool changed = false;
    for (NodeLink* link : links()) {
        if (link->names(type, oldName)) {
            link->targetName = newName;
            changed = true;
        }
    }
    return changed;
}

NodeLink* CNodeBase::firstEmpty(std::initializer_list<NodeLink*> candidates) {
    for (NodeLink* link : candidates) {
        if (link->isEmpty()) return link;
    }
    return nullptr;
}

NodeLink* CNodeBase::firstFreeOrSelf(std::initializer_list<NodeLink*> candidates) {
    for (NodeLink* link : candidates) {
        if (link->isEmpty() || link->names(type_, name_)) return link;
    }
    return nullptr;
}

} // namespace tarvo
