// CReturnNode: the end of a subroutine; starts as "Return1" until named after it.
#include "tarvo/model/return_node.h"

namespace tarvo {

CReturnNode::CReturnNode() : CNodeBase(NodeType::Return, u"Return1") {
    position = {500.0, 100.0};
}

} // namespace tarvo
