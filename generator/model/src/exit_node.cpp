// CExitNode: an exit of a frame.
#include "tarvo/model/exit_node.h"

namespace tarvo {

CExitNode::CExitNode(std::u16string name) : CNodeBase(NodeType::Exit, std::move(name)) {}

} // namespace tarvo
