// NodeType: the type codes of nodes, containers and declarations, with their words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo {

enum class NodeType : std::int32_t {
    Frame = 0,
    Subroutine = 1,
    Call = 2,
    Copy = 3,
    Display = 4,
    Input = 5,
    Math = 6,
    Menu = 7,
    Modify = 8,
    Output = 9,
    Verify = 10,
    Entry = 11, // named "Start", script keyword "Entry"
    Exit = 12,
    Return = 13,
    None = 14, // the target type of an empty link
    File = 15,
    Register = 16,
    Field = 17,
    Template = 18,
};

inline constexpr int kNodeTypeCount = 19;

/// Longest name of a node or container, and of a declaration.
inline constexpr std::size_t kMaxNodeNameLength = 32;
inline constexpr std::size_t kMaxDeclarationNameLength = 22;
/// Longest description text.
inline constexpr std::size_t kMaxDescriptionLength = 256;

/// The type name ("Start" for the Entry node, "" for None).
std::u16string_view typeName(NodeType type);
/// The script keyword ("Entry" for the Entry node).
std::u16string_view typeKeyword(NodeType type);
/// The type whose type name is `name` exactly, or false.
bool typeFromName(std::u16string_view name, NodeType& type);
/// The type whose keyword is `keyword` exactly, or false.
bool typeFromKeyword(std::u16string_view keyword, NodeType& type);

bool isDeclarationType(NodeType type);
bool isContainerType(NodeType type);
/// Longest name allowed for an object of `type`.
std::size_t maxNameLength(NodeType type);

} // namespace tarvo
