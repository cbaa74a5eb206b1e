// CMathNode: computes operand1 (op) operand2 into a result.
#pragma once

#include "tarvo/model/next_error_node.h"

namespace tarvo {

enum class MathOperation : std::uint8_t { Plus = 0, Minus, Multiply, Divide, Mod };

class CMathNode : public CNextErrorNode {
public:
    explicit CMathNode(std::u16string name = u"Math1");
    TARVO_VISITABLE

    SourceOperand operand1;
    MathOperation operation = MathOperation::Plus;
    SourceOperand operand2;
    DestinationOperand result;

    SourceOperand* sourceOperand() override { return &operand1; }
    DestinationOperand* destinationOperand() override { return &result; }
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
};

} // namespace tarvo
