// Numbers every qualified name of a compile, from 369 upward, in order of first use.
#pragma once

#include <string>
#include <unordered_map>

namespace tarvo::compiler {

inline constexpr int kFirstSymbol = 369;
inline constexpr int kSymbolCapacity = 2000;

class SymbolTable {
public:
    // Number of `name`, entering it when new; 0 once the table is full.
    int symbolOf(const std::string& name);
    bool overflowed() const { return overflowed_; }

private:
    std::unordered_map<std::string, int> numbers_;
    bool overflowed_ = false;
};

}  // namespace tarvo::compiler
