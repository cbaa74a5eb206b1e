// CDisplayNode: a screen of text.
#include "tarvo/model/display_node.h"

namespace tarvo {

CDisplayNode::CDisplayNode(std::u16string name, std::uint8_t model)
    : CNodeBase(NodeType::Display, std::move(name)) {
    text.storedRowCount = DisplayText::storedRowsForModel(model);
}

} // namespace tarvo
