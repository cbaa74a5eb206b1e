// Symbol numbering with the two reserved system registers entered first.
#include "symbol_table.h"

namespace tarvo::compiler {

int SymbolTable::symbolOf(const std::string& name) {
    if (numbers_.empty()) {
        numbers_.emplace("VarRegSystem Date", kFirstSymbol);
        numbers_.emplace("VarRegSystem Time", kFirstSymbol + 1);
    }
    auto found = numbers_.find(name);
    if (found != numbers_.end()) return found->second;
    if (static_cast<int>(numbers_.size()) >= kSymbolCapacity) {
        overflowed_ = true;
        return 0;
    }
    int number = kFirstSymbol + static_cast<int>(numbers_.size());
    numbers_.emplace(name, number);
    return number;
}

}  // namespace tarvo::compiler
