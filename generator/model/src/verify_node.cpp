// CVerifyNode: the registers its comparison names, and references.
#include "tarvo/model/verify_node.h"

namespace tarvo {

CVerifyNode::CVerifyNode(std::u16string name) : CNextErrorNode(NodeType::Verify, std::move(name)) {}

std::vector<DeclarationUse> CVerifyNode::declarationUses() const {
    std::vector<DeclarationUse> uses;
    collectUses(source, uses);
    auto reg = [&](const std::u16string& name) {
        if (!name.empty()) uses.push_back({NodeType::Register, name});
    };
    if (comparison == ComparisonKind::Register) reg(comparisonRegister);
    if (comparison == ComparisonKind::Range) {
        if (low.fromRegister) reg(low.registerName);
        if (high.fromRegister) reg(high.registerName);
    }
    if (storeIndex) reg(indexRegister);
    return uses;
}

bool CVerifyNode::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                   NodeType type) {
    bool changed = CNodeBase::renameReferences(oldName, newName, type);
    changed |= renameUses(source, type, oldName, newName);
    if (type == NodeType::Register) {
        for (std::u16string* name : {&comparisonRegister, &low.registerName,
                                     &high.registerName, &indexRegister}) {
            if (!name->empty() && *name == oldName) {
                *name = newName;
                changed = true;
            }
        }
    }
    return changed;
}

} // namespace tarvo
