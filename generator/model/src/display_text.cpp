// DisplayText: row changes that keep the display character set counted.
#include "tarvo/model/display_text.h"

#include "tarvo/model/display_charset.h"

namespace tarvo {

int DisplayText::storedRowsForModel(std::uint8_t model) {
    switch (model) {
    case 0: return 6;
    case 1: return 8;
    default: return 4;
    }
}

bool DisplayText::setRow(std::size_t row, std::u16string_view text, DisplayCharset* charset) {
    if (row >= kMaxDisplayRows) return false;
    std::u16string clean(text.substr(0, kMaxDisplayColumns));
    for (char16_t& ch : clean) {
        if (ch == u'\n' || ch == u'\r') ch = u' ';
    }
    bool fitted = true;
    if (charset) {
        charset->removeText(rows[row]);
        fitted = charset->addText(clean);
    }
    rows[row] = std::move(clean);
    return fitted;
}

} // namespace tarvo
