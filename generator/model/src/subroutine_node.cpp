// CSubroutineNode: subroutines and their Return node.
#include "tarvo/model/subroutine_node.h"

namespace tarvo {

CSubroutineNode::CSubroutineNode(std::u16string name)
    : CContainerNode(NodeType::Subroutine, std::move(name)) {
    return_.setOwner(this);
}

void CSubroutineNode::syncEmbeddedNames() {
    CContainerNode::syncEmbeddedNames();
    return_.setName(name());
}

} // namespace tarvo
