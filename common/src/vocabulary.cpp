// Vocabulary: the word tables and their lookups.
#include "tarvo/common/vocabulary.h"

#include <array>

namespace tarvo {

std::uint8_t lookupWord(WordTable table, std::string_view word) {
    for (std::size_t i = 0; i < table.size() && i < kWordNotFound; ++i) {
        if (table[i] == word) return static_cast<std::uint8_t>(i);
    }
    return kWordNotFound;
}

std::uint8_t lookupWord(WordTable table, std::u16string_view word) {
    for (std::size_t i = 0; i < table.size() && i < kWordNotFound; ++i) {
        const std::string_view candidate = table[i];
        if (candidate.size() != word.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < word.size() && same; ++k) {
            // Table words are plain ASCII, so a byte widened to 16 bits is
            // the same character.
            same = static_cast<unsigned char>(candidate[k]) == word[k];
        }
        if (same) return static_cast<std::uint8_t>(i);
    }
    return kWordNotFound;
}

std::string_view wordAt(WordTable table, std::size_t code) {
    return code < table.size() ? table[code] : std::string_view{};
}

namespace words {
namespace {

constexpr std::array<std::string_view, 19> kTypeNames{
    "Frame", "Subroutine", "Call",   "Copy",  "Display", "Input", "Math",
    "Menu",  "Modify",     "Output", "Verify", "Start",  "Exit",  "Return",
    "",      "File",       "Register", "Field", "Template"};
constexpr std::array<std::string_view, 19> kTypeKeywords{
    "Frame", "Subroutine", "Call",   "Copy",  "Display", "Input", "Math",
    "Menu",  "Modify",     "Output", "Verify", "Entry",  "Exit",  "Return",
    "",      "File",       "Register", "Field", "Template"};
constexpr std::array<std::string_view, 1> kModelNames{"Strix VK81"};
constexpr std::array<std::string_view, 4> kLanguageCodes{"Wst12", "Wst8", "Chs", "Cht"};
constexpr std::array<std::string_view, 4> kLanguageNames{
    "Western European/English - 12 pt.", "Western European/English - 8 pt.",
    "Chinese Simplified - 16 pt.", "Chinese Traditional - 16 pt."};
constexpr std::array<std::string_view, 3> kDataTypes{"ASCII", "NUMERIC", "ALPHA"};
constexpr std::array<std::string_view, 4> kComparisonKinds{"None", "Constant", "Range",
                                                           "Register"};
constexpr std::array<std::string_view, 4> kRegisterWriteWords{"INSERT", "OVERWRITE",
                                                              "APPEND", "FIELD"};
constexpr std::array<std::string_view, 4> kRegisterWriteNames{"Insert", "Overwrite",
                                                              "Append", "Field"};
constexpr std::array<std::string_view, 4> kFileWriteWords{"INSERT", "OVERWRITE", "APPEND",
                                                          "ASCII"};
constexpr std::array<std::string_view, 4> kFileWriteNames{"Insert", "Overwrite", "Append",
                                                          "Sorted"};
constexpr std::array<std::string_view, 4> kRecordLocations{"First", "Last", "Index", "Number"};
constexpr std::array<std::string_view, 3> kOperandSources{"Constant", "Register", "File"};
constexpr std::array<std::string_view, 2> kDestinationKinds{"Register", "File"};
constexpr std::array<std::string_view, 4> kOutputDevices{"DISPLAY", "SERIAL", "SYSTEM",
                                                         "WEDGE"};
constexpr std::array<std::string_view, 6> kModifyWords{"TOUPPER", "TOLOWER", "Replace",
                                                       "REVERSE", "DELETE",  "CLEAR8"};
constexpr std::array<std::string_view, 6> kModifyNames{
    "To upper case", "To lower case", "Search/Replace", "Reverse", "Delete", "Clear Bit 8"};
constexpr std::array<std::string_view, 5> kMathWords{"PLUS", "MINUS", "MULTIPLY", "DIVIDE",
                                                     "MOD"};
constexpr std::array<std::string_view, 5> kMathSymbols{"+", "-", "*", "/", "%"};
constexpr std::array<std::string_view, 7> kShapeNames{
    "Circle", "Diamond", "Ellipse", "Hexagon", "Octagon", "Rectangle", "Parallelogram"};
constexpr std::array<std::string_view, 9> kDisplayOperations{
    "Move to row, column within current display",
    "Erase all text from cursor to EOL",
    "Move to row, column within the virtual screen",
    "Erase screen, return cursor to home position",
    "Move up one or more rows",
    "Move down one or more rows",
    "Move right one or more columns",
    "Move left one or more columns",
    "Display text on screen"};
constexpr std::array<std::string_view, 5> kInputChannelWords{"WAND", "KEYBOARD",
                                                             "FUNCTIONKEY", "SERIAL",
                                                             "Timeout"};

} // namespace

WordTable typeNames() { return kTypeNames; }
WordTable typeKeywords() { return kTypeKeywords; }
WordTable modelNames() { return kModelNames; }
WordTable languageCodes() { return kLanguageCodes; }
WordTable languageNames() { return kLanguageNames; }
WordTable dataTypes() { return kDataTypes; }
WordTable comparisonKinds() { return kComparisonKinds; }
WordTable registerWriteWords() { return kRegisterWriteWords; }
WordTable registerWriteNames() { return kRegisterWriteNames; }
WordTable fileWriteWords() { return kFileWriteWords; }
WordTable fileWriteNames() { return kFileWriteNames; }
WordTable recordLocations() { return kRecordLocations; }
WordTable operandSources() { return kOperandSources; }
WordTable destinationKinds() { return kDestinationKinds; }
WordTable outputDevices() { return kOutputDevices; }
WordTable modifyOperationWords() { return kModifyWords; }
WordTable modifyOperationNames() { return kModifyNames; }
WordTable mathOperationWords() { return kMathWords; }
WordTable mathOperationSymbols() { return kMathSymbols; }
WordTable shapeNames() { return kShapeNames; }
WordTable displayOperations() { return kDisplayOperations; }
WordTable inputChannelWords() { return kInputChannelWords; }

} // namespace words
} // namespace tarvo
