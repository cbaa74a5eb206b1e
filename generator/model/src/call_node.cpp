// CCallNode: a call of a subroutine.
#include "tarvo/model/call_node.h"

namespace tarvo {

CCallNode::CCallNode(std::u16string name) : CNodeBase(NodeType::Call, std::move(name)) {}

} // namespace tarvo
