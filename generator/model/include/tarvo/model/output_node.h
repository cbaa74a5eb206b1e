// COutputNode: sends data to an output device; for the display, built from operations.
#pragma once

#include <vector>

#include "tarvo/model/next_error_node.h"
#include "tarvo/model/output_operation.h"

namespace tarvo {

enum class OutputDevice : std::uint8_t { Display = 0, Serial = 1, System = 2, Wedge = 3 };

class COutputNode : public CNextErrorNode {
public:
    explicit COutputNode(std::u16string name = u"Output1");
    TARVO_VISITABLE

    OutputDevice device = OutputDevice::Display;
    SourceOperand source; // "Information to Output"
    std::vector<OutputOperation> operations;

    /// Appends an operation when the literal stays within its limit: 0 on
    /// success, else the message id to show (331 for text beyond code 255,
    /// 323 for a row or column out of range, 314 for a literal too long).
    int addOperation(const OutputOperation& op);
    /// The concatenated products of all operations, in list order.
    std::u16string buildLiteral() const;

    SourceOperand* sourceOperand() override { return &source; }
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
};

} // namespace tarvo
