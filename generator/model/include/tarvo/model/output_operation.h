// OutputOperation: one display operation of an Output node and the text it produces.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo {

enum class OutputOperationCode : std::uint8_t {
    MoveInDisplay = 0,
    EraseToEndOfLine = 1,
    MoveInVirtualScreen = 2,
    EraseScreen = 3,
    MoveUp = 4,
    MoveDown = 5,
    MoveRight = 6,
    MoveLeft = 7,
    DisplayText = 8,
};
inline constexpr int kOutputOperationCount = 9;

/// Limits of the operation dialog.
inline constexpr int kMaxOutputRow = 24;
inline constexpr int kMaxOutputColumn = 79;
inline constexpr int kMessageOutputRowColumnRange = 323;
/// An Output node's literal may hold at most this many characters.
inline constexpr std::size_t kMaxOutputLength = 132;
inline constexpr int kMessageOutputTooLong = 314;
inline constexpr char16_t kEscape = 27;

struct OutputOperation {
    OutputOperationCode code = OutputOperationCode::DisplayText;
    std::u16string text;
    int row = 0;
    int column = 0;

    /// The characters this operation contributes to the output literal.
    std::u16string product() const;

    bool operator==(const OutputOperation&) const = default;
};

/// The dialog's "Display String": every ESC shown as the four characters \x1B.
std::u16string escapesToDisplayString(std::u16string_view literal);
/// And back: every four-character group \x1B becomes ESC.
std::u16string displayStringToEscapes(std::u16string_view shown);

} // namespace tarvo
