// CCopyNode: copies data from a source operand to a destination operand.
#pragma once

#include "tarvo/model/next_error_node.h"

namespace tarvo {

/// Shown when a whole file is copied to or from a single record.
inline constexpr int kMessageCopyMultipleToSingle = 325;
/// Shown when a file is copied to itself.
inline constexpr int kMessageCopyFileToItself = 326;

class CCopyNode : public CNextErrorNode {
public:
    explicit CCopyNode(std::u16string name = u"Copy1");
    TARVO_VISITABLE

    SourceOperand source;           // "Copy From"
    DestinationOperand destination; // "Copy To"

    SourceOperand* sourceOperand() override { return &source; }
    DestinationOperand* destinationOperand() override { return &destination; }
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
    bool requiredLinksSet() const override { return !next.isEmpty(); }

    /// The dialog's check of the two operands: 0 when they may be copied,
    /// else the message id (325 or 326) to show.
    int checkOperands() const;
};

} // namespace tarvo
