// Helpers called from the grammar's reductions: they build the program tree.
#pragma once

#include <initializer_list>
#include <string>

#include "parse_state.h"
#include "tarvo/compiler/op_codes.h"

namespace tarvo::compiler {

// Node kind word used in qualified names ("copy", "display", ...); empty for other codes.
const char* nodeKindWord(int nodeCode);
// Text bytes of a LITERAL or plain DISPLAYLITERAL item: backslash escapes applied.
std::vector<uint8_t> applyEscapes(const std::string& text);
// DISPLAYLITERAL text of a double-byte language: groups of two hex digits and a separator.
std::vector<uint8_t> decodeHexGroups(const std::string& text);
// Adds one Charset line to the character set; false (after reporting) when it is refused.
bool addCharset(ParseState& state, int count, const std::string& codes, int line);

inline void acceptProgram(ParseState& state, std::vector<Declaration*>* declarations,
                          std::vector<FrameDef*>* frames) {
    state.program = state.make<ProgramDef>();
    state.program->declarations = *declarations;
    state.program->frames = *frames;
}

inline Declaration* makeDeclaration(ParseState& state, Declaration::Kind kind, const char* name,
                                    std::initializer_list<int> integers) {
    auto* declaration = state.make<Declaration>();
    declaration->kind = kind;
    declaration->name = name;
    declaration->integers = integers;
    return declaration;
}

inline void countNode(ParseState& state) {
    ++state.nodeCount;
    char line[32];
    std::snprintf(line, sizeof line, "%2d Nodes\n", state.nodeCount);
    state.messages.console(line);
}

inline ItemList* itemsOf(ParseState& state, std::initializer_list<Item*> items) {
    auto* list = state.make<ItemList>();
    for (Item* item : items) list->push_back(*item);
    return list;
}

inline ItemList* append(ParseState&, ItemList* list, std::initializer_list<Item*> items) {
    for (Item* item : items) list->push_back(*item);
    return list;
}

inline std::vector<ItemList>* groups(ParseState& state, std::initializer_list<ItemList*> lists) {
    auto* result = state.make<std::vector<ItemList>>();
    for (ItemList* list : lists) result->push_back(*list);
    return result;
}

inline Item* simpleItem(ParseState& state, Item::Kind kind, int value) {
    auto* item = state.make<Item>();
    item->kind = kind;
    item->value = value;
    return item;
}
inline Item* switchItem(ParseState& state, int value) { return simpleItem(state, Item::Kind::Switch, value); }
inline Item* channelItem(ParseState& state, int value) { return simpleItem(state, Item::Kind::Channel, value); }
inline Item* timeoutItem(ParseState& state, int seconds) { return simpleItem(state, Item::Kind::Timeout, seconds); }
inline Item* integerItem(ParseState& state, int value) { return simpleItem(state, Item::Kind::Integer, value); }

inline Item* literalText(ParseState& state, const char* text) {
    auto* item = simpleItem(state, Item::Kind::Text, 0);
    item->text = text;
    item->bytes = applyEscapes(item->text);
    return item;
}

// Western languages keep the text; all others read it as hexadecimal byte groups.
inline Item* displayText(ParseState& state, const char* text) {
    auto* item = simpleItem(state, Item::Kind::Text, 0);
    item->text = text;
    int language = state.settings.languageIndex;
    item->bytes = (language == 0 || language == 1) ? applyEscapes(item->text) : decodeHexGroups(item->text);
    return item;
}

inline Item* variable(ParseState& state, Item::VarKind kind, const char* first, const char* second,
                      const char* third, int value, int selector) {
    auto* item = simpleItem(state, Item::Kind::Variable, value);
    item->varKind = kind;
    item->first = first;
    item->second = second;
    item->third = third;
    item->selector = selector;
    return item;
}

// First step of the branch target rule: "frame_" + name, or node kind word + name.
inline const char* frameTarget(ParseState& state, const char* name) {
    return state.keepText(std::string("frame_") + name);
}
inline const char* nodeTarget(ParseState& state, int nodeCode, const char* name) {
    return state.keepText(std::string(nodeKindWord(nodeCode)) + name);
}

inline Item* targetItem(ParseState& state, const char* targetText) {
    auto* item = simpleItem(state, Item::Kind::BranchTarget, 0);
    item->text = targetText;
    return item;
}
inline ItemList* targets(ParseState& state, std::initializer_list<const char*> texts) {
    auto* list = state.make<ItemList>();
    for (const char* text : texts) list->push_back(*targetItem(state, text));
    return list;
}

NodeDef* makeNode(ParseState& state, int code, const char* name, std::vector<ItemList>* groups);
FrameDef* makeFrame(ParseState& state, bool isSubroutine, const char* name, ItemList* entryGroup,
                    bool entryIsBranchList, std::vector<NodeDef*>* nodes);

}  // namespace tarvo::compiler
