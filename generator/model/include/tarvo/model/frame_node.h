// CFrameNode: a screen of program flow; frames nest and own exit records.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tarvo/model/container_node.h"

namespace tarvo {

/// The link drawn from a frame's figure in its parent frame to where one of
/// its Exit nodes leads.
struct ExitRecord {
    std::u16string exitName;
    NodeLink link;
    bool operator==(const ExitRecord&) const = default;
};

class CFrameNode : public CContainerNode {
public:
    explicit CFrameNode(std::u16string name = u"Frame1");
    TARVO_VISITABLE

    /// The frame that contains this one; none for the root frame. Never owns.
    CFrameNode* parentFrame = nullptr;
    /// Names of the subroutines created in this frame, in creation order.
    std::vector<std::u16string> ownedSubroutines;
    /// One per Exit node, keyed by the exit target's type name, a line feed
    /// and the exit's name.
    std::map<std::u16string, ExitRecord> exitRecords;

    /// Links of the exit records, for reference updates.
    std::vector<NodeLink*> links() override;
};

} // namespace tarvo
