// JSON transcript and HEX output of a session.
#include "tarvo/vterm/transcript.h"

#include <cstdio>

namespace tarvo::vterm {
namespace {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20 || byte >= 0x7F) {
                    // Bytes outside printable ASCII are written as code
                    // points so the file stays valid UTF-8 JSON.
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string stringArray(const std::vector<std::string>& items, const char* indent) {
    if (items.empty()) return "[]";
    std::string out = "[\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += indent;
        out += "  " + jsonString(items[i]) + (i + 1 < items.size() ? ",\n" : "\n");
    }
    return out + indent + "]";
}

}  // namespace

std::string transcriptJson(const VirtualTerminal& terminal) {
    const TerminalConfig& config = terminal.config();
    const SessionLog& log = terminal.log();
    std::string out = "{\n";
    out += "  \"model\": " + jsonString(std::string(modelName(config.model))) + ",\n";
    out += "  \"version\": " + jsonString(config.version) + ",\n";
    out += "  \"names\": [";
    for (std::size_t i = 0; i < config.names.size(); ++i) {
        out += jsonString(config.names[i]) + (i + 1 < config.names.size() ? ", " : "");
    }
    out += "],\n";
    out += "  \"startBaud\": " + std::to_string(config.startBaud) + ",\n";
    out += "  \"finalBaud\": " + std::to_string(terminal.currentBaud()) + ",\n";
    out += "  \"rateChanges\": [";
    for (std::size_t i = 0; i < log.rateChanges.size(); ++i) {
        out += std::to_string(log.rateChanges[i]) + (i + 1 < log.rateChanges.size() ? ", " : "");
    }
    out += "],\n";
    out += "  \"reset\": " + std::string(log.reset ? "true" : "false") + ",\n";
    out +=
        "  \"erase\": " + (log.erase.empty() ? std::string("null") : jsonString(log.erase)) + ",\n";
    out += "  \"loadSlot\": " +
           (log.loadSlot < 0 ? std::string("null") : std::to_string(log.loadSlot)) + ",\n";
    out += "  \"applicationName\": " +
           (log.loadSlot < 0 ? std::string("null") : jsonString(log.applicationName)) + ",\n";
    out += "  \"fontFlag\": " +
           (log.fontFlag < 0 ? std::string("null") : std::to_string(log.fontFlag)) + ",\n";
    out += "  \"launchSlot\": " +
           (log.launchSlot == 0 ? std::string("null") : std::to_string(log.launchSlot)) + ",\n";
    out += "  \"garbledBytes\": " + std::to_string(log.garbledBytes) + ",\n";
    out += "  \"noiseBytes\": " + std::to_string(log.noiseBytes) + ",\n";
    out += "  \"eventsNotKept\": " + std::to_string(log.eventsNotKept) + ",\n";
    // One rate per line, so that a shell script can pick the counts out.
    out += "  \"traffic\": [";
    for (std::size_t i = 0; i < log.traffic.size(); ++i) {
        const LineTraffic& traffic = log.traffic[i];
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"baud\": " + std::to_string(traffic.baud) +
               ", \"fromHost\": " + std::to_string(traffic.fromHost) +
               ", \"toHost\": " + std::to_string(traffic.toHost) + "}";
    }
    out += log.traffic.empty() ? "],\n" : "\n  ],\n";
    out += "  \"commands\": " + stringArray(log.commands, "  ") + ",\n";
    out += "  \"osRecords\": " + stringArray(log.osRecords, "  ") + ",\n";
    out += "  \"appRecords\": " + stringArray(log.appRecords, "  ") + ",\n";
    out += "  \"fontRecords\": " + stringArray(log.fontRecords, "  ") + ",\n";
    out += "  \"events\": [";
    for (std::size_t i = 0; i < log.events.size(); ++i) {
        const SessionEvent& event = log.events[i];
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"ms\": " + std::to_string(event.timeNanos / 1'000'000) + ", \"from\": \"" +
               (event.fromHost ? "host" : "terminal") + "\", \"kind\": " + jsonString(event.kind);
        if (!event.text.empty()) out += ", \"text\": " + jsonString(event.text);
        out += "}";
    }
    out += log.events.empty() ? "]\n" : "\n  ]\n";
    return out + "}\n";
}

std::string receivedImageHex(const SessionLog& log) {
    std::string out;
    for (const auto* part : {&log.appRecords, &log.fontRecords}) {
        for (const std::string& line : *part) out += line + "\r\n";
    }
    return out;
}

}  // namespace tarvo::vterm
