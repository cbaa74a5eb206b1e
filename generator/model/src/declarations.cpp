// Declarations: files, registers, fields and templates.
#include "tarvo/model/declarations.h"

#include <algorithm>

namespace tarvo {

CFileDecl::CFileDecl(std::u16string name, bool isDefault_)
    : CNodeBase(NodeType::File, std::move(name)), isDefault(isDefault_) {}

CRegisterDecl::CRegisterDecl(std::u16string name, bool isDefault_)
    : CNodeBase(NodeType::Register, std::move(name)), isDefault(isDefault_) {}

CFieldDecl::CFieldDecl(std::u16string name, int length_)
    : CNodeBase(NodeType::Field, std::move(name)), length(length_) {}

bool CFieldDecl::setDelimiter(char16_t ch) {
    if (ch > 255) return false;
    kind = FieldKind::Variable;
    delimiter = ch;
    return true;
}

CTemplateDecl::CTemplateDecl(std::u16string name, bool isDefault_)
    : CNodeBase(NodeType::Template, std::move(name)), isDefault(isDefault_) {}

std::size_t CTemplateDecl::positionOf(std::u16string_view field) const {
    auto it = std::find(fields.begin(), fields.end(), field);
    return it == fields.end() ? 0 : static_cast<std::size_t>(it - fields.begin()) + 1;
}

bool CTemplateDecl::renameReferences(std::u16string_view oldName, std::u16string_view newName,
                                     NodeType type) {
    if (type != NodeType::Field) return false;
    bool changed = false;
    for (std::u16string& field : fields) {
        if (field == oldName) {
            field = newName;
            changed = true;
        }
    }
    return changed;
}

std::u16string_view noDeclarationText(NodeType declarationType) {
    switch (declarationType) {
    case NodeType::Field: return u"[ No Field ]";
    case NodeType::Register: return u"[ No Register ]";
    case NodeType::Template: return u"[ No Template ]";
    case NodeType::File: return u"[ No File ]";
    default: return {};
    }
}

} // namespace tarvo
