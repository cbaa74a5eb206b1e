// NodeType words and limits.
#include "tarvo/model/node_type.h"

#include <array>

#include "tarvo/common/vocabulary.h"

namespace tarvo {
namespace {

// 16-bit copies of the vocabulary's type words, built once.
struct TypeWords {
    std::array<std::u16string, kNodeTypeCount> names;
    std::array<std::u16string, kNodeTypeCount> keywords;
    TypeWords() {
        for (int i = 0; i < kNodeTypeCount; ++i) {
            for (char c : wordAt(words::typeNames(), i)) names[i].push_back(char16_t(c));
            for (char c : wordAt(words::typeKeywords(), i)) keywords[i].push_back(char16_t(c));
        }
    }
};

const TypeWords& typeWords() {
    static const TypeWords instance;
    return instance;
}

bool validCode(NodeType type) {
    const int code = static_cast<int>(type);
    return code >= 0 && code < kNodeTypeCount;
}

} // namespace

std::u16string_view typeName(NodeType type) {
    return validCode(type) ? std::u16string_view(typeWords().names[int(type)])
                           : std::u16string_view();
}

std::u16string_view typeKeyword(NodeType type) {
    return validCode(type) ? std::u16string_view(typeWords().keywords[int(type)])
                           : std::u16string_view();
}

bool typeFromName(std::u16string_view name, NodeType& type) {
    const std::uint8_t code = lookupWord(words::typeNames(), name);
    if (code == kWordNotFound) return false;
    type = static_cast<NodeType>(code);
    return true;
}

bool typeFromKeyword(std::u16string_view keyword, NodeType& type) {
    const std::uint8_t code = lookupWord(words::typeKeywords(), keyword);
    if (code == kWordNotFound) return false;
    type = static_cast<NodeType>(code);
    return true;
}

bool isDeclarationType(NodeType type) {
    return type == NodeType::File || type == NodeType::Register || type == NodeType::Field ||
           type == NodeType::Template;
}

bool isContainerType(NodeType type) {
    return type == NodeType::Frame || type == NodeType::Subroutine;
}

std::size_t maxNameLength(NodeType type) {
    return isDeclarationType(type) ? kMaxDeclarationNameLength : kMaxNodeNameLength;
}

} // namespace tarvo
