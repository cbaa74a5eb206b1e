// DisplayText: the rows of text of a Display or Menu node.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvo {

class DisplayCharset;

inline constexpr std::size_t kMaxDisplayRows = 8;
inline constexpr std::size_t kMaxDisplayColumns = 20;

struct DisplayText {
    std::array<std::u16string, kMaxDisplayRows> rows;
    /// Rows the node was created with: 6 for model 0, 8 for model 1, else 4.
    int storedRowCount = 6;

    static int storedRowsForModel(std::uint8_t model);

    /// Changes one row: line breaks become spaces, the text is cut to
    /// kMaxDisplayColumns, and the charset (when given) gives up the old
    /// characters and counts the new ones. Answers false when the charset was
    /// full (message 330) or `row` is out of range; the row still changes.
    bool setRow(std::size_t row, std::u16string_view text, DisplayCharset* charset);

    bool operator==(const DisplayText& o) const {
        return rows == o.rows && storedRowCount == o.storedRowCount;
    }
};

} // namespace tarvo
