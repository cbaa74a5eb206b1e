// NodeLink: one outgoing link of a node (target type, target name, bend points).
#pragma once

#include <string>
#include <vector>

#include "tarvo/model/node_type.h"

namespace tarvo {

class LinkBase; // the editor's figure of a link

struct PointD {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PointD&) const = default;
};

struct NodeLink {
    NodeType targetType = NodeType::None;
    /// Plain name of the target node, not its full name.
    std::u16string targetName;
    /// Bend points of the drawn line, in order from the node to its target.
    std::vector<PointD> bendPoints;
    /// The editor's figure of this link; never owned, not compared.
    LinkBase* figure = nullptr;

    bool isEmpty() const { return targetName.empty(); }
    void clear() {
        targetType = NodeType::None;
        targetName.clear();
        bendPoints.clear();
    }
    void setTarget(NodeType type, std::u16string name) {
        targetType = type;
        targetName = std::move(name);
    }
    bool names(NodeType type, std::u16string_view name) const {
        return !isEmpty() && targetType == type && targetName == name;
    }
    bool operator==(const NodeLink& other) const {
        return targetType == other.targetType && targetName == other.targetName &&
               bendPoints == other.bendPoints;
    }
};

} // namespace tarvo
