// CNextErrorNode: the base of the nodes that go on along "Next" and, when
// their operation fails, along "On Error" (Copy, Math, Output, Verify).
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

class CNextErrorNode : public CNodeBase {
public:
    using CNodeBase::CNodeBase;

    NodeLink next;
    NodeLink error;

    std::vector<NodeLink*> links() override { return {&next, &error}; }
    /// Both ways on must lead somewhere; a node whose error path is optional overrides this.
    bool requiredLinksSet() const override { return !next.isEmpty() && !error.isEmpty(); }
    NodeLink* linkForNewLink() override { return firstEmpty({&next, &error}); }
};

} // namespace tarvo
