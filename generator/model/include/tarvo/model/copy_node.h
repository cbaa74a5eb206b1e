// CCopyNode: copies data from a source operand to a destination operand.
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

/// Shown when a whole file is copied to or from a single record.
inline constexpr int kMessageCopyMultipleToSingle = 325;
/// Shown when a file is copied to itself.
inline constexpr int kMessageCopyFileToItself = 326;

class CCopyNode : public CNodeBase {
public:
    explicit CCopyNode(std::u16string name = u"Copy1");
    TARVO_VISITABLE

    SourceOperand source;           // "Copy From"
    DestinationOperand destination; // "Copy To"
    NodeLink next;
    NodeLink error;

    SourceOperand* sourceOperand() override { return &source; }
    DestinationOperand* destinationOperand() override { return &destination; }
    std::vector<NodeLink*> links() override { return {&next, &error}; }
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
    bool requiredLinksSet() const override { return !next.isEmpty(); }
    NodeLink* linkForNewLink() override { return firstEmpty({&next, &error}); }

    /// The dialog's check of the two operands: 0 when they may be copied,
    /// else the message id (325 or 326) to show.
    int checkOperands() const;
};

} // namespace tarvo
