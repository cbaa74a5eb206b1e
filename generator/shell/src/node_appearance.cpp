// Built-in node appearances.
#include "tarvo/shell/node_appearance.h"

namespace tarvo::shell {

std::array<NodeAppearance, kAppearanceTypeCount> defaultNodeAppearances() {
    constexpr ColorRef blue = rgb(0, 0, 255);
    constexpr ColorRef red = rgb(255, 0, 0);
    constexpr ColorRef black = rgb(0, 0, 0);
    constexpr ColorRef darkGreen = rgb(0, 128, 64);
    struct Row {
        NodeShape shape;
        ColorRef border;
    };
    constexpr std::array<Row, kAppearanceTypeCount> rows = {{
        {NodeShape::Rectangle, blue},          // Frame
        {NodeShape::Ellipse, red},             // Subroutine
        {NodeShape::Rectangle, red},           // Call
        {NodeShape::Rectangle, black},         // Copy
        {NodeShape::Rectangle, blue},          // Display
        {NodeShape::Octagon, blue},            // Input
        {NodeShape::Hexagon, black},           // Math
        {NodeShape::Rectangle, black},         // Menu
        {NodeShape::Octagon, darkGreen},       // Modify
        {NodeShape::Hexagon, darkGreen},       // Output
        {NodeShape::Parallelogram, blue},      // Verify
        {NodeShape::Rectangle, blue},          // Start
        {NodeShape::Rectangle, darkGreen},     // Exit
        {NodeShape::Rectangle, darkGreen},     // Return
    }};
    std::array<NodeAppearance, kAppearanceTypeCount> out{};
    for (int i = 0; i < kAppearanceTypeCount; ++i) {
        out[i].type = i;
        out[i].shape = rows[i].shape;
        out[i].border = rows[i].border;
        out[i].fill = rgb(255, 255, 255);
        out[i].text = rgb(0, 0, 0);
    }
    return out;
}

}  // namespace tarvo::shell
