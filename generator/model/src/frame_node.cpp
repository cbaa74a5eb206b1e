// CFrameNode: frames and their exit records.
#include "tarvo/model/frame_node.h"

namespace tarvo {

CFrameNode::CFrameNode(std::u16string name) : CContainerNode(NodeType::Frame, std::move(name)) {}

std::vector<NodeLink*> CFrameNode::links() {
    std::vector<NodeLink*> out;
    for (auto& [key, record] : exitRecords) out.push_back(&record.link);
    return out;
}

} // namespace tarvo
