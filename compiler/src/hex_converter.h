// Turns the record file into the final image: headers, resolved branch targets, byte swap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvo::compiler {

struct ConversionInput {
    std::string recordText;              // contents of the record file
    std::vector<uint16_t> labels;        // label address per symbol (index = symbol - 369)
    std::vector<size_t> resolvedWords;   // word indexes holding branch-target symbols, ascending
    int endOfCodeRecord = -1;            // ordinal of the end-of-code data record
    int nodeCount = 0;
    std::string modelText;
};

// Returns the image text, or an empty text when the record file is malformed.
std::string convertToImage(const ConversionInput& input);

}  // namespace tarvo::compiler
