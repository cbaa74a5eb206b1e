// Vocabulary: the fixed word tables of the system, each indexed by a small code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvo {

/// The code a lookup answers when the table does not hold the word.
inline constexpr std::uint8_t kWordNotFound = 255;

/// One fixed word table: the word at index i is the word of code i.
using WordTable = std::span<const std::string_view>;

/// The code of `word` in `table`, compared exactly (case and length), or
/// kWordNotFound.
std::uint8_t lookupWord(WordTable table, std::string_view word);
/// The same lookup for 16-bit text (the generator's model holds names so).
std::uint8_t lookupWord(WordTable table, std::u16string_view word);
/// The word of `code`, or an empty view when the code is outside the table.
std::string_view wordAt(WordTable table, std::size_t code);

namespace words {

// Node, container and declaration type codes 0 to 18.
WordTable typeNames();            // "Frame", ..., "Start" (11), ..., "" (14), "File", ...
WordTable typeKeywords();         // as typeNames, but "Entry" at 11
WordTable modelNames();           // "Strix VK81"
WordTable languageCodes();        // "Wst12", "Wst8", "Chs", "Cht"
WordTable languageNames();        // shown in the Customize Application dialog
WordTable dataTypes();            // "ASCII", "NUMERIC", "ALPHA"
WordTable comparisonKinds();      // "None", "Constant", "Range", "Register"
WordTable registerWriteWords();   // "INSERT", "OVERWRITE", "APPEND", "FIELD"
WordTable registerWriteNames();   // "Insert", "Overwrite", "Append", "Field"
WordTable fileWriteWords();       // "INSERT", "OVERWRITE", "APPEND", "ASCII"
WordTable fileWriteNames();       // "Insert", "Overwrite", "Append", "Sorted"
WordTable recordLocations();      // "First", "Last", "Index", "Number"
WordTable operandSources();       // "Constant", "Register", "File"
WordTable destinationKinds();     // "Register", "File"
WordTable outputDevices();        // "DISPLAY", "SERIAL", "SYSTEM", "WEDGE"
WordTable modifyOperationWords(); // "TOUPPER", ..., "Replace", ..., "CLEAR8"
WordTable modifyOperationNames(); // "To upper case", ..., "Clear Bit 8"
WordTable mathOperationWords();   // "PLUS", "MINUS", "MULTIPLY", "DIVIDE", "MOD"
WordTable mathOperationSymbols(); // "+", "-", "*", "/", "%"
WordTable shapeNames();           // "Circle", ..., "Parallelogram"
WordTable displayOperations();    // the nine output operations of the display
WordTable inputChannelWords();    // "WAND", "KEYBOARD", "FUNCTIONKEY", "SERIAL", "Timeout"

} // namespace words
} // namespace tarvo
