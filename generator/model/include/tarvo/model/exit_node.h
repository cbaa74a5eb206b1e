// CExitNode: leaves a frame and names the node of the parent frame where flow continues.
#pragma once

#include "tarvo/model/node_base.h"

namespace tarvo {

class CExitNode : public CNodeBase {
public:
    explicit CExitNode(std::u16string name = u"Exit1");
    TARVO_VISITABLE

    /// The node of the parent frame where the flow continues.
    NodeLink target;

    std::vector<NodeLink*> links() override { return {&target}; }
};

} // namespace tarvo
