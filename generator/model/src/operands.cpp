// Operands: the declarations they name and renaming those names.
#include "tarvo/model/operands.h"

namespace tarvo {
namespace {

void addUse(NodeType type, const std::u16string& name, std::vector<DeclarationUse>& out) {
    if (!name.empty()) out.push_back({type, name});
}

bool renameIf(std::u16string& held, NodeType heldType, NodeType type,
              std::u16string_view oldName, std::u16string_view newName) {
    if (heldType != type || held.empty() || held != oldName) return false;
    held = newName;
    return true;
}

} // namespace

void collectUses(const RegisterRef& ref, std::vector<DeclarationUse>& out) {
    addUse(NodeType::Register, ref.registerName, out);
    if (ref.isField) {
        addUse(NodeType::Template, ref.templateName, out);
        addUse(NodeType::Field, ref.fieldName, out);
    }
}

void collectUses(const FileRef& ref, std::vector<DeclarationUse>& out) {
    addUse(NodeType::File, ref.fileName, out);
    if (ref.isRecord && ref.location == RecordLocation::Index)
        addUse(NodeType::Register, ref.indexRegister, out);
}

void collectUses(const SourceOperand& op, std::vector<DeclarationUse>& out) {
    if (op.kind == SourceKind::Register) collectUses(op.reg, out);
    if (op.kind == SourceKind::File) collectUses(op.file, out);
}

void collectUses(const DestinationOperand& op, std::vector<DeclarationUse>& out) {
    if (op.kind == DestinationKind::Register) collectUses(op.reg, out);
    if (op.kind == DestinationKind::File) collectUses(op.file, out);
}

bool renameUses(RegisterRef& ref, NodeType type, std::u16string_view oldName,
                std::u16string_view newName) {
    bool changed = renameIf(ref.registerName, NodeType::Register, type, oldName, newName);
    changed |= renameIf(ref.templateName, NodeType::Template, type, oldName, newName);
    changed |= renameIf(ref.fieldName, NodeType::Field, type, oldName, newName);
    return changed;
}

bool renameUses(FileRef& ref, NodeType type, std::u16string_view oldName,
                std::u16string_view newName) {
    bool changed = renameIf(ref.fileName, NodeType::File, type, oldName, newName);
    changed |= renameIf(ref.indexRegister, NodeType::Register, type, oldName, newName);
    return changed;
}

bool renameUses(SourceOperand& op, NodeType type, std::u16string_view oldName,
                std::u16string_view newName) {
    // Both forms are renamed so that switching the kind back in a dialog
    // never resurrects a stale name.
    const bool a = renameUses(op.reg, type, oldName, newName);
    const bool b = renameUses(op.file, type, oldName, newName);
    return a || b;
}

bool renameUses(DestinationOperand& op, NodeType type, std::u16string_view oldName,
                std::u16string_view newName) {
    const bool a = renameUses(op.reg, type, oldName, newName);
    const bool b = renameUses(op.file, type, oldName, newName);
    return a || b;
}

} // namespace tarvo
