// OutputOperation: escape sequences of the display operations.
#include "tarvo/model/output_operation.h"

#include <string>

namespace tarvo {
namespace {

std::u16string number(int value) {
    std::u16string out;
    for (char c : std::to_string(value)) out.push_back(char16_t(c));
    return out;
}

std::u16string csi() { return std::u16string{kEscape, u'['}; }

constexpr std::u16string_view kShownEscape = u"\\x1B";

} // namespace

std::u16string OutputOperation::product() const {
    switch (code) {
    case OutputOperationCode::MoveInDisplay: return csi() + number(row) + u";" + number(column) + u"f";
    case OutputOperationCode::EraseToEndOfLine: return csi() + u"K";
    case OutputOperationCode::MoveInVirtualScreen:
        return csi() + number(row) + u";" + number(column) + u"H";
    case OutputOperationCode::EraseScreen: return csi() + u"2J";
    case OutputOperationCode::MoveUp: return csi() + number(row) + u"A";
    case OutputOperationCode::MoveDown: return csi() + number(row) + u"B";
    case OutputOperationCode::MoveRight: return csi() + number(column) + u"C";
    case OutputOperationCode::MoveLeft: return csi() + number(column) + u"D";
    case OutputOperationCode::DisplayText: return text;
    }
    return {};
}

std::u16string escapesToDisplayString(std::u16string_view literal) {
    std::u16string out;
    for (char16_t ch : literal) {
        if (ch == kEscape)
            out += kShownEscape;
        else
            out.push_back(ch);
    }
    return out;
}

std::u16string displayStringToEscapes(std::u16string_view shown) {
    std::u16string out;
    for (std::size_t i = 0; i < shown.size();) {
        if (shown.substr(i, kShownEscape.size()) == kShownEscape) {
            out.push_back(kEscape);
            i += kShownEscape.size();
        } else {
            out.push_back(shown[i++]);
        }
    }
    return out;
}

} // namespace tarvo
