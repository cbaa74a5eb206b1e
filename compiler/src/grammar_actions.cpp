// Tree building, text conversion and header settings used by the grammar's reductions.
#include "grammar_actions.h"

#include <cctype>
#include <cstdio>
#include <strings.h>

namespace tarvo::compiler {

int Item::leafCount() const {
    switch (kind) {
    case Kind::Timeout: return 2;
    case Kind::Variable:
        switch (varKind) {
        case VarKind::File:
        case VarKind::Reg: return 1;
        case VarKind::FileRecordNumber:
        case VarKind::FileRecordReg:
        case VarKind::FileRecordSelector: return 2;
        case VarKind::RegField: return 3;
        case VarKind::FileRecordFieldReg:
        case VarKind::FileRecordFieldSelector: return 4;
        }
        return 1;
    default: return 1;
    }
}

int languageIndexOf(const std::string& text) {
    static const char* const names[] = {"Wst8", "Wst12", "Chs", "Cht", "Jpn"};
    for (int i = 0; i < 5; ++i)
        if (text == names[i]) return i;
    return kLanguageNone;
}

int fontSizeIndexOf(int size) { return size == 8 ? 0 : size == 12 ? 1 : 2; }

const char* nodeKindWord(int code) {
    switch (code) {
    case op::kCallNode: return "call";
    case op::kCopyNode: return "copy";
    case op::kDisplayNode: return "display";
    case op::kInputNode: return "input";
    case op::kMathNode: return "math";
    case op::kMenuNode: return "menu";
    case op::kModifierNode: return "modify";
    case op::kOutputNode: return "output";
    case op::kReturnNode: return "return";
    case op::kVerifyNode: return "verify";
    default: return "";
    }
}

static int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::vector<uint8_t> applyEscapes(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 3 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0) {
            bytes.push_back(static_cast<uint8_t>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
            i += 3;
        } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == '"') {
            bytes.push_back('"');
            ++i;
        } else {
            bytes.push_back(static_cast<uint8_t>(c));
        }
    }
    return bytes;
}

std::vector<uint8_t> decodeHexGroups(const std::string& text) {
    std::vector<uint8_t> bytes;
    size_t groups = (text.size() + 1) / 3;
    for (size_t g = 0; g < groups; ++g) {
        // Like a base-16 number conversion: leading hex digits of the pair count, others end it.
        int value = 0;
        for (size_t k = 0; k < 2 && 3 * g + k < text.size(); ++k) {
            int digit = hexValue(text[3 * g + k]);
            if (digit < 0) break;
            value = value * 16 + digit;
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

bool addCharset(ParseState& state, int count, const std::string& codes, int line) {
    if (static_cast<int>(codes.size()) != 5 * count - 1) {
        state.messages.console("Compiler Failed Initialization.\n");
        state.reportError("syntax error", line);
        return false;
    }
    if (state.settings.characterCount + count > kMaxCharsetCharacters) {
        state.reportError("Error: Charset lines list more than 255 characters.", line);
        return false;
    }
    state.settings.characterCount += count;
    state.settings.characterSet += codes;
    state.settings.characterSet += ' ';
    return true;
}

NodeDef* makeNode(ParseState& state, int code, const char* name, std::vector<ItemList>* groups) {
    static const struct { int code; const char* title; } titles[] = {
        {op::kCopyNode, "Copy"},     {op::kDisplayNode, "Display"}, {op::kInputNode, "Input"},
        {op::kMenuNode, "Menu"},     {op::kMathNode, "Math"},       {op::kModifierNode, "Modify"},
        {op::kOutputNode, "Output"}, {op::kReturnNode, "Return"},   {op::kCallNode, "Call"},
        {op::kVerifyNode, "Verify"}};
    auto* node = state.make<NodeDef>();
    node->code = code;
    node->name = name;
    if (groups) node->groups = *groups;
    for (const auto& entry : titles)
        if (entry.code == code)
            state.messages.log(std::string("Syntax of ") + entry.title + " Node " + name + " OK");
    return node;
}

FrameDef* makeFrame(ParseState& state, bool isSubroutine, const char* name, ItemList* entryGroup,
                    bool entryIsBranchList, std::vector<NodeDef*>* nodes) {
    auto* frame = state.make<FrameDef>();
    frame->isSubroutine = isSubroutine;
    frame->name = name;
    if (entryGroup) {
        frame->hasEntryGroup = true;
        frame->entryIsBranchList = entryIsBranchList;
        frame->entryGroup = *entryGroup;
    }
    if (nodes) frame->nodes = *nodes;
    state.lastContainerLine =
        std::string(isSubroutine ? "Syntax of Subroutine " : "Syntax of Frame ") + name + " OK";
    state.messages.log(state.lastContainerLine);
    return frame;
}

void ParseState::reportError(const std::string& message, int line) {
    if (errorReported) return;  // the first error ends the parse
    errorReported = true;
    std::string text = message.substr(0, 99);
    if (strncasecmp(text.c_str(), "syntax error", 12) == 0) {
        if (line > 0) messages.log("Syntax Error (line " + std::to_string(line) + ")");
        return;
    }
    if (text == "memory exhausted") text = "Parser stack overflow";
    messages.log(text);
    if (strncasecmp(text.c_str(), "parser stack overflow", 21) == 0) {
        messages.log("Your program may have too many nodes in a frame");
        messages.log("or have too many fields defined in a template.");
    }
}

}  // namespace tarvo::compiler
