// Node keys, naming rules, the unique-name rule and default names.
#include "tarvo/model/node_key.h"

#include <algorithm>
#include <limits>

namespace tarvo {

std::u16string makeNodeKey(NodeType type, std::u16string_view name) {
    std::u16string key(typeName(type));
    key.push_back(u'\n');
    key.append(name);
    return key;
}

bool isWesternText(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 255; });
}

bool isValidName(std::u16string_view name) {
    static constexpr std::u16string_view kForbidden = u"\";*(),./";
    if (name.empty() || !isWesternText(name)) return false;
    if (name.find_first_of(kForbidden) != std::u16string_view::npos) return false;
    return name.find_first_not_of(u' ') != std::u16string_view::npos;
}

std::u16string makeUniqueName(std::u16string_view wanted,
                              const std::function<bool(std::u16string_view)>& taken) {
    std::u16string name(wanted);
    while (taken(name)) {
        std::size_t digitsStart = name.size();
        while (digitsStart > 0 && name[digitsStart - 1] >= u'0' && name[digitsStart - 1] <= u'9')
            --digitsStart;
        // Long digit runs must not overflow: keep only as many trailing
        // digits as fit, the rest stay part of the prefix.
        const std::size_t maxDigits = std::numeric_limits<unsigned long long>::digits10;
        if (name.size() - digitsStart > maxDigits) digitsStart = name.size() - maxDigits;
        unsigned long long number = 0;
        for (std::size_t i = digitsStart; i < name.size(); ++i)
            number = number * 10 + (name[i] - u'0');
        ++number;
        name.resize(digitsStart);
        for (char c : std::to_string(number)) name.push_back(char16_t(c));
    }
    return name;
}

std::u16string defaultName(NodeType type) {
    if (type == NodeType::Entry) return u"Entry1";
    std::u16string name(typeName(type));
    name += u"1";
    return name;
}

std::u16string widenLatin1(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out.push_back(static_cast<unsigned char>(c));
    return out;
}

std::string narrowLatin1(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c <= 255 ? static_cast<char>(c) : '?');
    return out;
}

} // namespace tarvo
