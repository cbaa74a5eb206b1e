// CMenuNode: function-key branches that point at the menu itself while unused.
#include "tarvo/model/menu_node.h"

namespace tarvo {

CMenuNode::CMenuNode(std::u16string name, std::uint8_t model)
    : CNodeBase(NodeType::Menu, std::move(name)) {
    text.storedRowCount = DisplayText::storedRowsForModel(model);
    refreshKeyTable();
}

void CMenuNode::refreshKeyTable(std::u16string_view oldName) {
    for (Key& key : keys) {
        if (key.link.isEmpty() || (!oldName.empty() && key.link.names(NodeType::Menu, oldName)))
            key.link.setTarget(NodeType::Menu, name());
    }
}

void CMenuNode::updateEnabledFlags() {
    for (Key& key : keys) key.enabled = key.link.targetName != name();
}

std::vector<NodeLink*> CMenuNode::links() {
    std::vector<NodeLink*> out;
    for (Key& key : keys) out.push_back(&key.link);
    out.push_back(&next);
    return out;
}

bool CMenuNode::requiredLinksSet() const {
    for (const Key& key : keys) {
        if (key.link.isEmpty()) return false;
    }
    return true;
}

NodeLink* CMenuNode::linkForNewLink() {
    return firstFreeOrSelf({&keys[0].link, &keys[1].link, &keys[2].link, &keys[3].link,
                            &keys[4].link, &keys[5].link, &keys[6].link, &keys[7].link});
}

} // namespace tarvo
