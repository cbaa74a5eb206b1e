// NodeAppearance: how the canvas draws one node type (shape and three colours).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvo::shell {

/// Figure shapes, in the order of the shape list the configuration stores indexes into.
enum class NodeShape : int {
    Circle = 0,
    Diamond,
    Ellipse,
    Hexagon,
    Octagon,
    Rectangle,
    Parallelogram,
};
inline constexpr int kShapeCount = 7;

/// A colour as the desktop stored it: red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;
constexpr ColorRef rgb(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
inline constexpr ColorRef kMaxColor = 0xFFFFFF;

/// The node types that have an appearance record, each also the name of its
/// configuration section.
inline constexpr int kAppearanceTypeCount = 14;
inline constexpr std::array<std::string_view, kAppearanceTypeCount> kAppearanceSectionNames = {
    "Frame", "Subroutine", "Call",  "Copy",   "Display", "Input", "Math",
    "Menu",  "Modify",     "Output", "Verify", "Start",   "Exit",  "Return"};

struct NodeAppearance {
    int type = 0;  // the node type's index 0..13
    NodeShape shape = NodeShape::Rectangle;
    ColorRef border = 0;
    ColorRef fill = rgb(255, 255, 255);
    ColorRef text = 0;

    bool operator==(const NodeAppearance&) const = default;
};

/// The built-in appearance of every node type, before any file is read.
std::array<NodeAppearance, kAppearanceTypeCount> defaultNodeAppearances();

}  // namespace tarvo::shell
