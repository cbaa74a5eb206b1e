// The terminal's side of the download protocol as a byte-driven state
// machine: bytes from the host go in, the terminal's answers come out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tarvo/vterm/clock.h"
#include "tarvo/vterm/hex_record.h"
#include "tarvo/vterm/session_log.h"
#include "tarvo/vterm/terminal_config.h"
#include "tarvo/vterm/wire_receiver.h"

namespace tarvo::vterm {

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kBel = 0x07;
/// How often the terminal sends one of its own records again after a NAK
/// before it gives the record up.
inline constexpr unsigned kMaxResends = 10;

class VirtualTerminal {
  public:
    VirtualTerminal(TerminalConfig config, const Clock& clock);

    /// Takes bytes that arrived while the line was set to `lineBaud` and
    /// returns the bytes the terminal sends back (at that same rate). Bytes
    /// sent at a rate other than the terminal's own cannot be read and are
    /// discarded. Both directions are counted in the log's traffic.
    std::string receive(std::string_view bytes, int lineBaud);

    int currentBaud() const { return currentBaud_; }
    /// True once the reset command was accepted; later bytes are ignored.
    bool finished() const { return log_.reset; }
    const SessionLog& log() const { return log_; }
    const TerminalConfig& config() const { return config_; }

  private:
    enum class ImagePart { None, Os, Application, Font };
    enum class Outgoing { None, Version, Names };

    std::string answerTo(std::string_view bytes, int lineBaud);
    void countTraffic(int lineBaud, std::size_t fromHost, std::size_t toHost);
    void handleByte(std::uint8_t byte, std::string& out);
    void handleProbe(std::string& out);
    void handleRecordLine(const std::string& line, std::string& out);
    void handleHostAnswer(std::uint8_t byte, std::string& out);
    // Applies the fault due for `target`; true when it replaced the normal answer.
    bool applyFault(const FaultTarget& target, std::string& out);
    // Carries out an accepted command; false when its data make no sense.
    bool runCommand(const HexRecord& record, const std::string& line, std::string& out);
    void acceptDataRecord(const HexRecord& record, const std::string& line);
    void sendOwnRecord(std::string& out);
    std::string versionRecordText();
    std::string nameRecordText(unsigned slot) const;
    void answer(std::uint8_t byte, std::string& out);
    void note(bool fromHost, std::string kind, std::string text);
    FaultTarget targetOf(const HexRecord& record) const;

    TerminalConfig config_;
    const Clock& clock_;
    std::int64_t startNanos_;
    int currentBaud_;
    WireReceiver receiver_;
    SessionLog log_;
    ImagePart part_ = ImagePart::None;
    Outgoing outgoing_ = Outgoing::None;
    unsigned nameIndex_ = 0;
    unsigned resends_ = 0;
    bool silent_ = false;
};

}  // namespace tarvo::vterm
