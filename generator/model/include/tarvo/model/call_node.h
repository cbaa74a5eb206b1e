// CCallNode: calls a subroutine and continues with its next node.
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

class CCallNode : public CNodeBase {
public:
    explicit CCallNode(std::u16string name = u"Call1");
    TARVO_VISITABLE

    /// Target type Subroutine, target name the called subroutine's name.
    NodeLink subroutine;
    NodeLink next;

    std::vector<NodeLink*> links() override { return {&subroutine, &next}; }
    bool requiredLinksSet() const override { return !next.isEmpty(); }
    NodeLink* linkForNewLink() override { return firstEmpty({&next}); }
};

} // namespace tarvo
