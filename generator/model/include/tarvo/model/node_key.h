// Node keys and the naming rules shared by every object of an application.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "tarvo/model/node_type.h"

namespace tarvo {

/// The message shown when a name breaks the naming rules.
inline constexpr int kMessageInvalidName = 327;
/// The separator of full names; names can never contain it.
inline constexpr char16_t kFullNameSeparator = u'.';

/// Type name, a line feed, then the plain name. std::u16string orders by
/// unsigned 16-bit characters, which is the key order the maps need.
std::u16string makeNodeKey(NodeType type, std::u16string_view name);

/// True when `name` is not empty, holds none of `";*(),./`, holds only
/// characters up to code 255, and holds at least one non-space.
bool isValidName(std::u16string_view name);

/// True when every character of `text` has a code of at most 255.
bool isWesternText(std::u16string_view text);

/// The unique-name rule: while `taken(name)` holds, bump the trailing decimal
/// number of the name (Display1 -> Display2, Menu -> Menu1, Copy9 -> Copy10).
std::u16string makeUniqueName(std::u16string_view wanted,
                              const std::function<bool(std::u16string_view)>& taken);

/// The default name of a new object of `type` ("Display1", "Entry1", ...).
std::u16string defaultName(NodeType type);

/// Conversions for tests and messages: names hold Latin-1 text in practice.
std::u16string widenLatin1(std::string_view text);
std::string narrowLatin1(std::u16string_view text); // characters above 255 become '?'

} // namespace tarvo
