// CMathNode: operands and references.
#include "tarvo/model/math_node.h"

namespace tarvo {

CMathNode::CMathNode(std::u16string name) : CNextErrorNode(NodeType::Math, std::move(name)) {}

std::vector<DeclarationUse> CMathNode::declarationUses() const {
    std::vector<DeclarationUse> uses;
    collectUses(operand1, uses);
    collectUses(operand2, uses);
    collectUses(result, uses);
    return uses;
}

bool CMathNode::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                 NodeType type) {
    bool changed = CNodeBase::renameReferences(oldName, newName, type);
    changed |= renameUses(operand1, type, oldName, newName);
    changed |= renameUses(operand2, type, oldName, newName);
    changed |= renameUses(result, type, oldName, newName);
    return changed;
}

} // namespace tarvo
