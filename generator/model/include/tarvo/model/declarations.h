// Declarations: files, registers, fields and templates that nodes read and write.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tarvo/model/node_base.h"

namespace tarvo {

/// Shown when a declaration of the same kind already has the name.
inline constexpr int kMessageDuplicateName = 309;
/// Shown when a text holds characters above code 255.
inline constexpr int kMessageNonWestern = 331;
/// A register's size is always 128.
inline constexpr int kRegisterSize = 128;

class CFileDecl : public CNodeBase {
public:
    explicit CFileDecl(std::u16string name, bool isDefault = false);
    TARVO_VISITABLE
    bool isDefault = false;
};

class CRegisterDecl : public CNodeBase {
public:
    explicit CRegisterDecl(std::u16string name, bool isDefault = false);
    TARVO_VISITABLE
    /// Kept as read; always written as kRegisterSize.
    int size = kRegisterSize;
    bool isDefault = false;
};

enum class FieldKind : std::uint8_t { Fixed = 0, Variable = 1 };

class CFieldDecl : public CNodeBase {
public:
    explicit CFieldDecl(std::u16string name, int length = 1);
    TARVO_VISITABLE
    FieldKind kind = FieldKind::Fixed;
    int length = 1;           // fixed kind
    char16_t delimiter = u','; // variable kind; at most code 255

    /// Makes the field variable-length with `delimiter`; refuses a character
    /// above code 255 (message 331).
    bool setDelimiter(char16_t delimiter);
};

class CTemplateDecl : public CNodeBase {
public:
    explicit CTemplateDecl(std::u16string name, bool isDefault = false);
    TARVO_VISITABLE
    /// Names of fields of the field map, in template order.
    std::vector<std::u16string> fields;
    bool isDefault = false;

    /// 1-based position of `field` in the template, or 0 when absent.
    std::size_t positionOf(std::u16string_view field) const;
    bool renameReferences(std::u16string_view oldName, std::u16string_view newName,
                          NodeType type) override;
};

/// The "none" entry that declaration lists show first: "[ No Field ]" ...
std::u16string_view noDeclarationText(NodeType declarationType);

} // namespace tarvo
