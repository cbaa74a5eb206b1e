// Code generation: declarations, frames, nodes and their parameter groups.
#include "code_generator.h"

#include <cstdarg>
#include <cstdio>

#include "grammar_actions.h"
#include "tarvo/compiler/op_codes.h"

namespace tarvo::compiler {

inline constexpr int kMaxWordValue = 0xFFFF;

CodeGenerator::CodeGenerator(const CompileSettings& settings, RecordWriter& writer, std::string* listing)
    : settings_(settings), writer_(writer), listing_(listing), labels_(kSymbolCapacity, 0) {}

void CodeGenerator::list(const char* format, ...) {
    if (!listing_) return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    *listing_ += line;
}

int CodeGenerator::symbol(const std::string& name) {
    int number = symbols_.symbolOf(name);
    if (number == 0 && failure_.empty())
        failure_ = "Error: The program uses more than 2000 names.";
    return number;
}

void CodeGenerator::writeCode(uint16_t code, uint16_t operand) {
    writer_.writeWord(code);
    writer_.writeWord(operand);
}

void CodeGenerator::writeInteger(int value) {
    if (value > kMaxWordValue && failure_.empty())
        failure_ = "Error: The number " + std::to_string(value) + " does not fit in 16 bits.";
    list("\tINT$ %-20.4X;Integer type symbol (hex) \n", op::kInteger);
    list("\tINT! %-20.4X;Integer constant (actual)\n", static_cast<unsigned>(value));
    writeCode(op::kInteger, static_cast<uint16_t>(value));
}

void CodeGenerator::writeNameRef(const std::string& qualifiedName, bool isBranchTarget) {
    int number = symbol(qualifiedName);
    list("\tNAM$ %-20.4X;Name type symbol (hex) \n", op::kNameRef);
    list("\tNAM! %-20.4X;label constant \"%s\" \n", static_cast<unsigned>(number), qualifiedName.c_str());
    writer_.writeWord(op::kNameRef);
    if (isBranchTarget) resolvedWords_.push_back(writer_.nextWordIndex());
    writer_.writeWord(static_cast<uint16_t>(number));
}

void CodeGenerator::writeLabel(uint16_t code, int number) {
    if (number >= kFirstSymbol && number < kFirstSymbol + kSymbolCapacity)
        labels_[number - kFirstSymbol] = writer_.nextAddress();
    writeCode(code, static_cast<uint16_t>(number));
}

void CodeGenerator::writePrefix() {
    if (settings_.modelText == "VK7100") return;
    writeCode(op::kLanguage, static_cast<uint16_t>(settings_.languageIndex));
    writeCode(op::kSystemFontSize, static_cast<uint16_t>(settings_.fontSizeIndex));
}

bool CodeGenerator::generateDeclarations(const ProgramDef& program) {
    for (const Declaration* declaration : program.declarations) {
        const char* name = declaration->name.c_str();
        switch (declaration->kind) {
        case Declaration::Kind::Reg: {
            int number = symbol("VarReg" + declaration->name);
            const char* role = number == kFirstSymbol ? "Date Register" : number == kFirstSymbol + 1 ? "Time Register" : "Register";
            list("\tREG$ %-20.4X;%s symbol (hex)\n", op::kRegVar, role);
            list("\tREG! %-20.4X;Variable Name \"%s\"\n", static_cast<unsigned>(number), name);
            writeCode(op::kRegVar, static_cast<uint16_t>(number));
            writeInteger(declaration->integers.empty() ? 128 : declaration->integers[0]);
            break;
        }
        case Declaration::Kind::File: {
            int number = symbol("VarFile" + declaration->name);
            list("\tFIL$ %-20.4X;File symbol (hex)\n", op::kFileVar);
            list("\tFIL! %-20.4X;Variable Name \"%s\"\n", static_cast<unsigned>(number), name);
            writeCode(op::kFileVar, static_cast<uint16_t>(number));
            break;
        }
        case Declaration::Kind::Field: {
            int number = symbol("VarField" + declaration->name);
            list("\tFLD$ %-20.4X;Field symbol (hex)\n", op::kField);
            list("\tFLD! %-20.4X;Variable Name \"%s\"\n", static_cast<unsigned>(number), name);
            writeCode(op::kField, static_cast<uint16_t>(number));
            list("\tPRM$ %-20.4X;Parameter symbol (hex) \n", op::kParamGroup);
            list("\tPRM! %-20.4X;Integer constant (actual) \n", static_cast<unsigned>(declaration->integers.size()));
            writeCode(op::kParamGroup, static_cast<uint16_t>(declaration->integers.size()));
            for (int value : declaration->integers) writeInteger(value);
            break;
        }
        case Declaration::Kind::Template: {
            int number = symbol("VarTmpl" + declaration->name);
            list("\tTMP$ %-20.4X;Template symbol (hex)\n", op::kTemplate);
            list("\tTMP! %-20.4X;Variable Name \"%s\"\n", static_cast<unsigned>(number), name);
            writeCode(op::kTemplate, static_cast<uint16_t>(number));
            list("\tPRM$ %-20.4X;Parameter symbol (hex) \n", op::kParamGroup);
            list("\tPRM! %-20.4X;Integer constant (actual) \n", static_cast<unsigned>(declaration->keys.size()));
            writeCode(op::kParamGroup, static_cast<uint16_t>(declaration->keys.size()));
            for (const std::string& key : declaration->keys) {
                int keySymbol = symbol("VarField" + key);
                list("\tKEY$ %-20.4X;Field Key type symbol (hex) \n", op::kKey);
                list("\tKEY! %-20.4X;label constant \"%s\" \n", static_cast<unsigned>(keySymbol), key.c_str());
                writeCode(op::kKey, static_cast<uint16_t>(keySymbol));
            }
            break;
        }
        }
        if (!failure_.empty()) return false;
    }
    return true;
}

bool CodeGenerator::generateCode(const ProgramDef& program) {
    for (const FrameDef* frame : program.frames) {
        generateFrame(*frame);
        if (!failure_.empty()) return false;
    }
    writer_.writeEndOfCode();
    return true;
}

void CodeGenerator::generateFrame(const FrameDef& frame) {
    currentFrame_ = frame.name;
    uint16_t code = frame.isSubroutine ? op::kSubroutine : op::kFrame;
    int number = symbol(frame.name);
    auto listLabel = [&] {
        if (frame.isSubroutine)
            list("SUBROUTINE LABEL: %-5.4X  ;subroutine \"%s\"\n", static_cast<unsigned>(number), frame.name.c_str());
        else
            list("FRAME LABEL: %-10.4X  ;frame \"%s\"\n", static_cast<unsigned>(number), frame.name.c_str());
    };
    listLabel();
    writeLabel(code, number);
    if (frame.hasEntryGroup) {
        // Only terminals other than the VK7100 jump through a container's own branch group.
        writeGroup(frame.entryGroup, settings_.modelText != "VK7100");
        if (frame.entryIsBranchList) {
            listLabel();
            writeLabel(code, number);
        }
    }
    for (const NodeDef* node : frame.nodes) {
        generateNode(*node);
        if (!failure_.empty()) return;
    }
}

void CodeGenerator::generateNode(const NodeDef& node) {
    if (node.code == 0) {
        for (const FrameDef* nested : node.nestedFrames) generateFrame(*nested);
        return;
    }
    static const struct { int code; const char* title; } titles[] = {
        {op::kCallNode, "Call"},     {op::kCopyNode, "Copy"},       {op::kDisplayNode, "Display"},
        {op::kInputNode, "Input"},   {op::kMathNode, "Math"},       {op::kMenuNode, "Menu"},
        {op::kModifierNode, "Modifier"}, {op::kOutputNode, "Output"}, {op::kReturnNode, "Return"},
        {op::kVerifyNode, "Validation"}};
    const char* title = "";
    for (const auto& entry : titles)
        if (entry.code == node.code) title = entry.title;
    std::string qualified = currentFrame_ + nodeKindWord(node.code) + node.name;
    int number = symbol(qualified);
    list("NODE LABEL : %-13.4X ;%s \"%s\"\n", static_cast<unsigned>(number), title, qualified.c_str());
    writeLabel(static_cast<uint16_t>(node.code), number);
    for (size_t g = 0; g < node.groups.size(); ++g) writeGroup(node.groups[g], g + 1 == node.groups.size());
}

void CodeGenerator::writeGroup(const ItemList& group, bool isBranchGroup) {
    int count = 0;
    for (const Item& item : group) count += item.leafCount();
    list("\tPRM$ %-20.4X;Parameter symbol (hex) \n", op::kParamGroup);
    if (count == 0)
        list("\tPRM! %-20.4X;Empty parameter list \n", 0u);
    else
        list("\tPRM! %-20.4X;Integer constant (actual) \n", static_cast<unsigned>(count));
    writeCode(op::kParamGroup, static_cast<uint16_t>(count));
    for (const Item& item : group) writeItem(item, isBranchGroup);
}

std::string CodeGenerator::branchTargetName(const std::string& target) const {
    if (target.rfind("frame_", 0) == 0) return target.substr(6);
    if (settings_.languageIndex == kLanguageNone) return currentFrame_ + target;
    static const char* const words[] = {"call", "copy", "display", "input", "math",
                                        "menu", "modify", "output", "return", "verify"};
    std::string rest = target;
    for (const char* word : words) {
        std::string w = word;
        if (rest.rfind(w, 0) == 0) {
            rest = rest.substr(w.size());
            break;
        }
    }
    size_t dot = rest.rfind('.');
    if (dot != std::string::npos) rest = rest.substr(0, dot);
    return rest + target;
}

void CodeGenerator::writeItem(const Item& item, bool isBranchGroup) {
    switch (item.kind) {
    case Item::Kind::Text: {
        list("\tTXT$ %-20.4X;Literal text type symbol (hex) \n", op::kLiteralText);
        list("\tTXT! %-20s;string constant (actual)\n", item.text.c_str());
        writer_.writeWord(op::kLiteralText);
        std::vector<uint8_t> bytes = item.bytes;
        bytes.push_back(0);
        if (bytes.size() % 2 != 0) bytes.push_back(0);
        writer_.writeTextBytes(bytes);
        break;
    }
    case Item::Kind::NoLiteral:
        list("\tXTX$ %-20.4X;No Literal text type symbol (hex) \n", op::kNoLiteral);
        writer_.writeWord(op::kNoLiteral);
        break;
    case Item::Kind::Integer: writeInteger(item.value); break;
    case Item::Kind::Switch:
        list("\tSWT$ %-20.4X;Switch type symbol (hex) \n", op::kSwitch);
        list("\tSWT! %-20.4X;Switch parameter (decimal:%i)\n", static_cast<unsigned>(item.value), item.value);
        writeCode(op::kSwitch, static_cast<uint16_t>(item.value));
        break;
    case Item::Kind::Channel:
        list("\tCHN$ %-20.4X;Channel type symbol (hex) \n", op::kChannel);
        list("\tCHN! %-20.4X;Channel value (decimal:%i)\n", static_cast<unsigned>(item.value), item.value);
        writeCode(op::kChannel, static_cast<uint16_t>(item.value));
        break;
    case Item::Kind::Timeout:
        list("\tTIM$ %-20.4X;Channel symbol (hex) \n", op::kChannel);
        list("\tTIM! %-20.4X;Channel ID (decimal:%i)\n", static_cast<unsigned>(op::kTimeout), op::kTimeout);
        writeCode(op::kChannel, op::kTimeout);
        writeInteger(item.value);
        break;
    case Item::Kind::Variable: writeVariable(item); break;
    case Item::Kind::BranchTarget: writeNameRef(branchTargetName(item.text), isBranchGroup); break;
    }
}

void CodeGenerator::writeVariable(const Item& item) {
    using VK = Item::VarKind;
    auto writeSelector = [&](int selector) {
        list("\tSWT$ %-20.4X;Switch type symbol (hex) \n", op::kSwitch);
        list("\tSWT! %-20.4X;Switch parameter (decimal:%i)\n", static_cast<unsigned>(selector), selector);
        writeCode(op::kSwitch, static_cast<uint16_t>(selector));
    };
    auto writeFile = [&](uint16_t code, const char* role) {
        int number = symbol("VarFile" + item.first);
        list("\tFIL$ %-20.4X;%s symbol (hex)\n", code, role);
        list("\tFIL! %-20.4X;Variable Name \"%s\"\n", static_cast<unsigned>(number), item.first.c_str());
        writeCode(code, static_cast<uint16_t>(number));
    };
    switch (item.varKind) {
    case VK::File: writeFile(op::kFileVar, "File"); break;
    case VK::Reg:
    case VK::RegField: {
        int number = symbol("VarReg" + item.first);
        bool field = item.varKind == VK::RegField;
        const char* role = field ? "Register.Field"
                           : number == kFirstSymbol ? "Date Register"
                           : number == kFirstSymbol + 1 ? "Time Register" : "Register";
        list(field ? "\tRGF$ %-20.4X;%s symbol (hex)\n" : "\tREG$ %-20.4X;%s symbol (hex)\n",
             field ? op::kRegField : op::kRegVar, role);
        list("\tREG! %-20.4X;Variable Name \"%s\"\n", static_cast<unsigned>(number), item.first.c_str());
        writeCode(field ? op::kRegField : op::kRegVar, static_cast<uint16_t>(number));
        if (field) {
            int templateSymbol = symbol("VarTmpl" + item.second);
            list("\tTMP$ %-20.4X;Template symbol (hex)\n", op::kTemplate);
            list("\tTMP! %-20.4X;Variable Name \"%s\"\n", static_cast<unsigned>(templateSymbol), item.second.c_str());
            writeCode(op::kTemplate, static_cast<uint16_t>(templateSymbol));
            writeInteger(item.value);
        }
        break;
    }
    case VK::FileRecordNumber:
        writeFile(op::kFileRecord, "File.Record");
        writeInteger(item.value);
        break;
    case VK::FileRecordReg:
        writeFile(op::kFileRecord, "File.Record");
        writeNameRef("VarReg" + item.second, false);
        break;
    case VK::FileRecordSelector:
        writeFile(op::kFileRecord, "File.Record");
        writeSelector(item.selector);
        break;
    case VK::FileRecordFieldReg:
    case VK::FileRecordFieldSelector:
        writeFile(op::kFileRecordField, "File.Record.Field");
        if (item.varKind == VK::FileRecordFieldReg)
            writeNameRef(item.second, false);
        else
            writeSelector(item.selector);
        writeNameRef(item.third, false);
        writeInteger(item.value);
        break;
    }
}

}  // namespace tarvo::compiler
