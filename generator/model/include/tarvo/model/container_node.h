// CContainerNode: a frame or subroutine holding an Entry node and a map of nodes.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "tarvo/model/entry_node.h"
#include "tarvo/model/node_base.h"

namespace tarvo {

class CFrameNode;

class CContainerNode : public CNodeBase {
public:
    /// Nodes keyed by node key (type name, line feed, name); owns them.
    using NodeMap = std::map<std::u16string, std::unique_ptr<CNodeBase>>;
    /// Child frames keyed by node key; owns them.
    using FrameMap = std::map<std::u16string, std::unique_ptr<CFrameNode>>;

    ~CContainerNode() override;

    CEntryNode& entry() { return entry_; }
    const CEntryNode& entry() const { return entry_; }

    const NodeMap& nodes() const { return nodes_; }
    const FrameMap& childFrames() const { return childFrames_; }

    /// The node of (type, name) in the node map, or none.
    CNodeBase* findInNodes(NodeType type, std::u16string_view name) const;
    /// The child frame of that name, or none.
    CFrameNode* findChildFrame(std::u16string_view name) const;

    /// The name the container had when it was last added or loaded.
    std::u16string lastAddedName;

    /// Renames the embedded Entry (and a subroutine's Return) with the container.
    virtual void syncEmbeddedNames();

protected:
    CContainerNode(NodeType type, std::u16string name);

private:
    friend class CDocContext;
    CEntryNode entry_;
    NodeMap nodes_;
    FrameMap childFrames_;
};

} // namespace tarvo
