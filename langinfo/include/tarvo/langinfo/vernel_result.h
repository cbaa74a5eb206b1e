// Status results of the language component's operations.
#pragma once

#include <cstdint>

namespace tarvo::langinfo {

/// What every ILanguageInfo operation answers. Lookups never fail: the only
/// failure of an operation is a missing result pointer.
enum class VernelResult : int32_t {
    Ok = 0,
    PointerError = -1,  ///< a null result pointer; nothing was selected or changed
};

}  // namespace tarvo::langinfo
