// CVerifyNode: checks data against a type, a constant, a range or a register.
#pragma once

#include "tarvo/model/next_error_node.h"

namespace tarvo {

enum class VerifyDataType : std::uint8_t { Ascii = 0, Numeric = 1, Alpha = 2 };
enum class ComparisonKind : std::uint8_t { None = 0, Constant = 1, Range = 2, Register = 3 };
/// The Verify value fields accept at most this many characters.
inline constexpr std::size_t kMaxVerifyValueLength = 128;

/// One end of a range: a text, or a register ("Get From Register").
struct RangeValue {
    bool fromRegister = false;
    std::u16string text;
    std::u16string registerName;
    bool operator==(const RangeValue&) const = default;
};

class CVerifyNode : public CNextErrorNode {
public:
    explicit CVerifyNode(std::u16string name = u"Verify1");
    TARVO_VISITABLE

    SourceOperand source;
    /// For a file source: written ", ASCII" after the source.
    bool sorted = false;
    VerifyDataType dataType = VerifyDataType::Ascii;
    ComparisonKind comparison = ComparisonKind::None;
    std::u16string constant;
    RangeValue low;
    RangeValue high;
    std::u16string comparisonRegister;
    bool ignoreCase = false;
    /// "Store Index in Register", used when the source is a file.
    bool storeIndex = false;
    std::u16string indexRegister;

    SourceOperand* sourceOperand() override { return &source; }
    std::vector<DeclarationUse> declarationUses() const override;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
};

} // namespace tarvo
