// CEntryNode: the Start node of a container; starts as "Entry1" until named after it.
#include "tarvo/model/entry_node.h"

namespace tarvo {

CEntryNode::CEntryNode() : CNodeBase(NodeType::Entry, u"Entry1") { position = {50.0, 30.0}; }

} // namespace tarvo
