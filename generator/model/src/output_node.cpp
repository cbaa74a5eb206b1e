// COutputNode: the operation list that builds the display literal.
#include "tarvo/model/output_node.h"

#include "tarvo/model/declarations.h"
#include "tarvo/model/node_key.h"

namespace tarvo {

COutputNode::COutputNode(std::u16string name) : CNextErrorNode(NodeType::Output, std::move(name)) {}

int COutputNode::addOperation(const OutputOperation& op) {
    if (!isWesternText(op.text)) return kMessageNonWestern;
    if (op.row < 0 || op.row > kMaxOutputRow || op.column < 0 || op.column > kMaxOutputColumn)
        return kMessageOutputRowColumnRange;
    // The terminal's buffer also holds a terminator, hence the + 1.
    if (buildLiteral().size() + op.product().size() + 1 > kMaxOutputLength)
        return kMessageOutputTooLong;
    operations.push_back(op);
    return 0;
}

std::u16string COutputNode::buildLiteral() const {
    std::u16string literal;
    for (const OutputOperation& op : operations) literal += op.product();
    return literal;
}

std::vector<DeclarationUse> COutputNode::declarationUses() const {
    std::vector<DeclarationUse> uses;
    collectUses(source, uses);
    return uses;
}

bool COutputNode::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                   NodeType type) {
    bool changed = CNodeBase::renameReferences(oldName, newName, type);
    changed |= renameUses(source, type, oldName, newName);
    return changed;
}

} // namespace tarvo
