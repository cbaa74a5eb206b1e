// CEntryNode: the Start node embedded in every frame and subroutine.
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

class CEntryNode : public CNodeBase {
public:
    CEntryNode();
    TARVO_VISITABLE

    /// The first node to run in the container.
    NodeLink next;

    std::vector<NodeLink*> links() override { return {&next}; }
    bool requiredLinksSet() const override { return !next.isEmpty(); }
    NodeLink* linkForNewLink() override { return firstEmpty({&next}); }
};

} // namespace tarvo
