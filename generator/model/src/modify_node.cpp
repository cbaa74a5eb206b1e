// CModifyNode: operands and references.
#include "tarvo/model/modify_node.h"

namespace tarvo {

CModifyNode::CModifyNode(std::u16string name) : CNodeBase(NodeType::Modify, std::move(name)) {
    data.kind = SourceKind::Register;
}

std::vector<DeclarationUse> CModifyNode::declarationUses() const {
    std::vector<DeclarationUse> uses;
    collectUses(data, uses);
    collectUses(destination, uses);
    return uses;
}

bool CModifyNode::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                   NodeType type) {
    bool changed = CNodeBase::renameReferences(oldName, newName, type);
    changed |= renameUses(data, type, oldName, newName);
    changed |= renameUses(destination, type, oldName, newName);
    return changed;
}

} // namespace tarvo
