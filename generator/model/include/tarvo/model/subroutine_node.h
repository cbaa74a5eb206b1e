// CSubroutineNode: a callable flowchart with an Entry and a Return node.
#pragma once

#include <vector>

#include "tarvo/model/container_node.h"
#include "tarvo/model/return_node.h"

namespace tarvo {

class CCallNode;
class CFrameNode;

class CSubroutineNode : public CContainerNode {
public:
    explicit CSubroutineNode(std::u16string name = u"Subroutine1");
    TARVO_VISITABLE

    CReturnNode& returnNode() { return return_; }
    const CReturnNode& returnNode() const { return return_; }

    /// The frame the subroutine was created in. Never owns.
    CFrameNode* owningFrame = nullptr;
    /// The Call nodes that call it. Never owns.
    std::vector<CCallNode*> callers;

    void syncEmbeddedNames() override;

private:
    CReturnNode return_;
};

} // namespace tarvo
