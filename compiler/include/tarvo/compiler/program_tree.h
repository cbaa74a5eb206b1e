// Program tree built by the parser and walked by the code generator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvo::compiler {

// One leaf-bearing item of a parameter group or a declaration.
struct Item {
    enum class Kind { Text, NoLiteral, Integer, Switch, Channel, Timeout, Variable, BranchTarget };
    enum class VarKind { File, Reg, RegField, FileRecordNumber, FileRecordReg, FileRecordSelector,
                         FileRecordFieldReg, FileRecordFieldSelector };

    Kind kind = Kind::NoLiteral;
    int value = 0;            // integer, switch, channel, time-out seconds, record number or field index
    std::string text;         // text as written in the script (listing), or branch target text
    std::vector<uint8_t> bytes;  // text bytes with escapes applied, without the terminator
    VarKind varKind = VarKind::File;
    std::string first;        // file or register name
    std::string second;       // template key, record register, record/field selector name
    std::string third;        // field name of a file record field
    int selector = 0;         // FIRST / LAST token for record selectors

    int leafCount() const;
};

using ItemList = std::vector<Item>;

struct Declaration {
    enum class Kind { Reg, File, Field, Template };
    Kind kind = Kind::Reg;
    std::string name;
    std::vector<int> integers;      // REG size (one entry) or FIELD integers
    std::vector<std::string> keys;  // TEMPLATE keys
};

struct FrameDef;

// A node of a frame, or a nested list of frames written in a node's place.
struct NodeDef {
    int code = 0;                 // operation code of the node kind, 0 for a nested frame list
    std::string name;
    std::vector<ItemList> groups;
    std::vector<FrameDef*> nestedFrames;
};

struct FrameDef {
    bool isSubroutine = false;
    std::string name;
    bool hasEntryGroup = false;   // frame_branch or branch_list
    bool entryIsBranchList = false;
    ItemList entryGroup;
    std::vector<NodeDef*> nodes;
};

struct ProgramDef {
    std::vector<Declaration*> declarations;
    std::vector<FrameDef*> frames;
};

}  // namespace tarvo::compiler
