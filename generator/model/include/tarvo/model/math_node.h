// CMathNode: computes operand1 (op) operand2 into a result.
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

enum class MathOperation : std::uint8_t { Plus = 0, Minus, Multiply, Divide, Mod };

class CMathNode : public CNodeBase {
public:
    explicit CMathNode(std::u16string name = u"Math1");
    TARVO_VISITABLE

    SourceOperand operand1;
    MathOperation operation = MathOperation::Plus;
    SourceOperand operand2;
    DestinationOperand result;
    NodeLink next;
    NodeLink error;

    SourceOperand* sourceOperand() override { return &operand1; }
    DestinationOperand* destinationOperand() override { return &result; }
    std::vector<NodeLink*> links() override { return {&next, &error}; }
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
    bool requiredLinksSet() const override { return !next.isEmpty() && !error.isEmpty(); }
    NodeLink* linkForNewLink() override { return firstEmpty({&next, &error}); }
};

} // namespace tarvo
