// CInputNode: channel links, references and the build check.
#include "tarvo/model/input_node.h"

namespace tarvo {

CInputNode::CInputNode(std::u16string name) : CNodeBase(NodeType::Input, std::move(name)) {
    sizeRegister.kind = DestinationKind::Register;
    sizeRegister.registerWrite = RegisterWriteType::Overwrite;
    refreshKeyTable();
}

void CInputNode::refreshKeyTable(std::u16string_view oldName) {
    auto point = [&](NodeLink& link) {
        if (link.isEmpty() || (!oldName.empty() && link.names(NodeType::Input, oldName)))
            link.setTarget(NodeType::Input, name());
    };
    for (Channel& c : channels) point(c.link);
    point(error);
}

CInputNode::SettingsCheck CInputNode::checkSettings(const ScreenGeometry& screen) const {
    if (echoToDisplay && !echoAtCursor) {
        if (echoRow < 0 || echoRow > screen.rows - 1 || echoColumn < 0 ||
            echoColumn > screen.columns - 1)
            return SettingsCheck::EchoOutsideScreen;
    }
    if (clearDisplay && !clearToEndOfLine && (clearCount < 0 || clearCount > kMaxClearCount))
        return SettingsCheck::ClearCountOutOfRange;
    return SettingsCheck::Ok;
}

std::vector<NodeLink*> CInputNode::links() {
    std::vector<NodeLink*> out;
    for (Channel& c : channels) out.push_back(&c.link);
    out.push_back(&error);
    out.push_back(&next);
    return out;
}

std::vector<DeclarationUse> CInputNode::declarationUses() const {
    std::vector<DeclarationUse> uses;
    collectUses(destination, uses);
    if (sizeToRegister) collectUses(sizeRegister, uses);
    return uses;
}

bool CInputNode::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                  NodeType type) {
    bool changed = CNodeBase::renameReferences(oldName, newName, type);
    changed |= renameUses(destination, type, oldName, newName);
    changed |= renameUses(sizeRegister, type, oldName, newName);
    return changed;
}

bool CInputNode::requiredLinksSet() const {
    for (const Channel& c : channels) {
        if (c.on && c.link.isEmpty()) return false;
    }
    return !error.isEmpty();
}

NodeLink* CInputNode::linkForNewLink() {
    auto link = [&](InputChannel c) { return &channel(c).link; };
    return firstFreeOrSelf({link(InputChannel::Scanner), link(InputChannel::DataKeys),
                            link(InputChannel::FunctionKeys), link(InputChannel::Serial),
                            &error, link(InputChannel::Timeout)});
}

} // namespace tarvo
