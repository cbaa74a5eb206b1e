// Parsing and matching of injected faults.
#include "tarvo/vterm/fault_plan.h"

#include <cctype>

namespace tarvo::vterm {
namespace {

std::vector<std::string_view> splitColons(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(
            text.substr(start, colon == std::string_view::npos ? colon : colon - start));
        if (colon == std::string_view::npos) return parts;
        start = colon + 1;
    }
}

bool parseDecimal(std::string_view text, unsigned limit, unsigned& value) {
    if (text.empty() || text.size() > 9) return false;
    unsigned result = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        result = result * 10 + static_cast<unsigned>(c - '0');
    }
    if (result > limit) return false;
    value = result;
    return true;
}

int hexDigit(char c) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool parseSelector(std::string_view text, FaultTarget& target) {
    if (text == "probe") {
        target.kind = TargetKind::Probe;
        return true;
    }
    if (text.size() == 2 && hexDigit(text[0]) >= 0 && hexDigit(text[1]) >= 0) {
        const int type = hexDigit(text[0]) * 16 + hexDigit(text[1]);
        if (type < 0xF1) return false;
        target.kind = TargetKind::Command;
        target.commandType = static_cast<std::uint8_t>(type);
        return true;
    }
    struct Part {
        std::string_view prefix;
        TargetKind kind;
    };
    for (const Part& part : {Part{"os", TargetKind::OsRecord}, Part{"app", TargetKind::AppRecord},
                             Part{"font", TargetKind::FontRecord}}) {
        if (startsWith(text, part.prefix)) {
            unsigned index = 0;
            if (!parseDecimal(text.substr(part.prefix.size()), 1000000, index) || index == 0)
                return false;
            target.kind = part.kind;
            target.index = index;
            return true;
        }
    }
    return false;
}

bool matches(const FaultTarget& want, const FaultTarget& got) {
    if (want.kind == TargetKind::Any) return true;
    if (want.kind != got.kind) return false;
    if (want.kind == TargetKind::Command) return want.commandType == got.commandType;
    return want.index == got.index;
}

}  // namespace

bool FaultPlan::add(std::string_view text, std::string& error) {
    const std::vector<std::string_view> parts = splitColons(text);
    Fault fault;
    const std::string_view action = parts[0];
    bool takesSelector = true, selectorOptional = false, takesCount = true;
    if (action == "nak") {
        fault.action = FaultAction::Nak;
    } else if (action == "drop") {
        fault.action = FaultAction::Drop;
    } else if (action == "bel") {
        fault.action = FaultAction::Bel;
        takesCount = false;
    } else if (action == "stray") {
        fault.action = FaultAction::Stray;
    } else if (action == "silent") {
        fault.action = FaultAction::Silent;
        selectorOptional = true;
        takesCount = false;
    } else if (action == "badversion") {
        fault.action = FaultAction::BadVersion;
        takesSelector = false;
    } else {
        error = "unknown fault '" + std::string(action) + "'";
        return false;
    }

    std::size_t next = 1;
    if (takesSelector) {
        if (next < parts.size()) {
            if (!parseSelector(parts[next], fault.target)) {
                error = "bad record selector '" + std::string(parts[next]) + "' in '" +
                        std::string(text) + "'";
                return false;
            }
            ++next;
        } else if (!selectorOptional) {
            error = "fault '" + std::string(text) + "' needs a record selector";
            return false;
        }
    }
    if (takesCount && next < parts.size()) {
        if (!parseDecimal(parts[next], kMaxFaultRepeats, fault.remaining) || fault.remaining == 0) {
            error = "bad repeat count in '" + std::string(text) + "' (1 to " +
                    std::to_string(kMaxFaultRepeats) + ")";
            return false;
        }
        ++next;
    }
    if (next != parts.size()) {
        error = "too many fields in fault '" + std::string(text) + "'";
        return false;
    }
    faults_.push_back(fault);
    return true;
}

FaultAction FaultPlan::take(const FaultTarget& transmission) {
    for (Fault& fault : faults_) {
        if (fault.remaining == 0 || fault.action == FaultAction::BadVersion) continue;
        if (!matches(fault.target, transmission)) continue;
        --fault.remaining;
        return fault.action;
    }
    return FaultAction::None;
}

bool FaultPlan::takeBadVersion() {
    for (Fault& fault : faults_) {
        if (fault.action == FaultAction::BadVersion && fault.remaining > 0) {
            --fault.remaining;
            return true;
        }
    }
    return false;
}

std::string_view FaultPlan::syntaxHelp() {
    return "  nak:SEL[:N]     answer NAK to the selected transmission N times (default 1)\n"
           "  drop:SEL[:N]    give no answer to it, N times\n"
           "  bel:SEL         answer BEL to it (the host aborts)\n"
           "  stray:SEL[:N]   answer the stray byte 0x3F to it, N times\n"
           "  silent[:SEL]    answer nothing at all, from the start or from SEL on\n"
           "  badversion[:N]  send the version record with a bad checksum N times\n"
           "  SEL is one of: probe (the baud probe), F1..FF (a command record of that\n"
           "  type), osK, appK, fontK (the K-th record of the operating system, the\n"
           "  application or the font part, counted from 1; a record counts once it\n"
           "  is accepted, so the resends of a refused record keep its number).\n"
           "  Faults are checked in the order given; the first one due applies.\n";
}

}  // namespace tarvo::vterm
