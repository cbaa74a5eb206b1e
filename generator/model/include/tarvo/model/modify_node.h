// CModifyNode: transforms the text of a register or file into a destination.
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

enum class ModifyOperation : std::uint8_t {
    ToUpper = 0,
    ToLower,
    SearchReplace,
    Reverse,
    Delete,
    ClearBit8,
};
/// Longest search and replacement text.
inline constexpr std::size_t kMaxModifyTextLength = 256;

class CModifyNode : public CNodeBase {
public:
    explicit CModifyNode(std::u16string name = u"Modify1");
    TARVO_VISITABLE

    /// "Data To Modify": register or file form only (never a literal).
    SourceOperand data;
    ModifyOperation operation = ModifyOperation::ToUpper;
    std::u16string searchText;
    std::u16string replaceText;
    DestinationOperand destination;
    NodeLink next;

    SourceOperand* sourceOperand() override { return &data; }
    DestinationOperand* destinationOperand() override { return &destination; }
    std::vector<NodeLink*> links() override { return {&next}; }
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
    bool requiredLinksSet() const override { return !next.isEmpty(); }
    NodeLink* linkForNewLink() override { return firstEmpty({&next}); }
};

} // namespace tarvo
