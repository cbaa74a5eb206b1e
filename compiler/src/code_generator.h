// Walks the program tree and writes the word stream and the listing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record_writer.h"
#include "symbol_table.h"
#include "tarvo/compiler/compile_settings.h"
#include "tarvo/compiler/program_tree.h"

namespace tarvo::compiler {

class CodeGenerator {
public:
    CodeGenerator(const CompileSettings& settings, RecordWriter& writer, std::string* listing);

    void writePrefix();
    bool generateDeclarations(const ProgramDef& program);
    bool generateCode(const ProgramDef& program);

    const std::vector<uint16_t>& labels() const { return labels_; }
    const std::vector<size_t>& resolvedWords() const { return resolvedWords_; }
    // Why generation stopped, for the log; empty when it did not.
    const std::string& failure() const { return failure_; }

private:
    void generateFrame(const FrameDef& frame);
    void generateNode(const NodeDef& node);
    void writeGroup(const ItemList& group, bool isBranchGroup);
    void writeItem(const Item& item, bool isBranchGroup);
    void writeVariable(const Item& item);
    void writeCode(uint16_t code, uint16_t operand);
    void writeInteger(int value);
    void writeNameRef(const std::string& qualifiedName, bool isBranchTarget);
    void writeLabel(uint16_t code, int symbol);
    int symbol(const std::string& name);
    std::string branchTargetName(const std::string& targetText) const;
    void list(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const CompileSettings& settings_;
    RecordWriter& writer_;
    std::string* listing_;
    SymbolTable symbols_;
    std::vector<uint16_t> labels_;
    std::vector<size_t> resolvedWords_;
    std::string currentFrame_;
    std::string failure_;
};

}  // namespace tarvo::compiler
