// CContainerNode: the Entry node and the maps of a frame or subroutine.
#include "tarvo/model/container_node.h"

#include "tarvo/model/frame_node.h"
#include "tarvo/model/node_key.h"

namespace tarvo {

CContainerNode::CContainerNode(NodeType type, std::u16string name)
    : CNodeBase(type, std::move(name)) {
    entry_.setOwner(this);
}

CContainerNode::~CContainerNode() = default;

CNodeBase* CContainerNode::findInNodes(NodeType type, std::u16string_view name) const {
    auto it = nodes_.find(makeNodeKey(type, name));
    return it == nodes_.end() ? nullptr : it->second.get();
}

CFrameNode* CContainerNode::findChildFrame(std::u16string_view name) const {
    auto it = childFrames_.find(makeNodeKey(NodeType::Frame, name));
    return it == childFrames_.end() ? nullptr : it->second.get();
}

void CContainerNode::syncEmbeddedNames() { entry_.setName(name()); }

} // namespace tarvo
