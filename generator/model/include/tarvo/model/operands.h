// Operands: the register, file, source and destination references of operation nodes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tarvo/model/node_type.h"

namespace tarvo {

/// Where a single record of a file is found (record-location table).
enum class RecordLocation : std::uint8_t { First = 0, Last = 1, Index = 2, Number = 3 };
/// How data is written into a file (file write table; Sorted writes "ASCII").
enum class FileWriteType : std::uint8_t { Insert = 0, Overwrite = 1, Append = 2, Sorted = 3 };
/// How data is written into a register.
enum class RegisterWriteType : std::uint8_t { Insert = 0, Overwrite = 1, Append = 2, Field = 3 };

/// A whole register, or one field of it as split by a template.
struct RegisterRef {
    std::u16string registerName;
    bool isField = false;
    std::u16string templateName; // with isField
    std::u16string fieldName;    // with isField
    bool operator==(const RegisterRef&) const = default;
};

/// A whole file, or one record of it.
struct FileRef {
    std::u16string fileName;
    bool isRecord = false;
    RecordLocation location = RecordLocation::First;
    std::u16string indexRegister; // location Index: the register holding the number
    std::int32_t recordNumber = 0; // location Number
    FileWriteType writeType = FileWriteType::Insert;
    bool operator==(const FileRef&) const = default;
};

enum class SourceKind : std::uint8_t { Literal = 0, Register = 1, File = 2 };

struct SourceOperand {
    SourceKind kind = SourceKind::Literal;
    std::u16string literal; // kind Literal
    RegisterRef reg;        // kind Register
    FileRef file;           // kind File
    bool operator==(const SourceOperand&) const = default;
};

enum class DestinationKind : std::uint8_t { Register = 0, File = 1 };

struct DestinationOperand {
    DestinationKind kind = DestinationKind::Register;
    RegisterRef reg;
    RegisterWriteType registerWrite = RegisterWriteType::Overwrite;
    FileRef file;
    bool operator==(const DestinationOperand&) const = default;
};

/// One declaration an operand names: its type (File, Register, Field,
/// Template) and its name.
struct DeclarationUse {
    NodeType type = NodeType::None;
    std::u16string name;
    bool operator==(const DeclarationUse&) const = default;
    auto operator<=>(const DeclarationUse&) const = default;
};

/// Appends the declarations `op` names (empty names are left out).
void collectUses(const RegisterRef& ref, std::vector<DeclarationUse>& out);
void collectUses(const FileRef& ref, std::vector<DeclarationUse>& out);
void collectUses(const SourceOperand& op, std::vector<DeclarationUse>& out);
void collectUses(const DestinationOperand& op, std::vector<DeclarationUse>& out);

/// Renames every use of declaration (type, oldName) in the operand; answers
/// whether anything changed.
bool renameUses(RegisterRef& ref, NodeType type, std::u16string_view oldName,
                std::u16string_view newName);
bool renameUses(FileRef& ref, NodeType type, std::u16string_view oldName,
                std::u16string_view newName);
bool renameUses(SourceOperand& op, NodeType type, std::u16string_view oldName,
                std::u16string_view newName);
bool renameUses(DestinationOperand& op, NodeType type, std::u16string_view oldName,
                std::u16string_view newName);

} // namespace tarvo
