// TransferSession: walks one download through the StepTable. It does no I/O of
// its own: the port, the reply timer, the clock and the image loader are given.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "image/file_writer.h"
#include "image/image_path.h"
#include "image/image_scan.h"
#include "image/record_source.h"
#include "protocol/result_code.h"
#include "protocol/session_host.h"
#include "protocol/step_table.h"
#include "serial/serial_port.h"

namespace tarvo::xfer {

/// Override flag bits (settings dialog, options S and $).
inline constexpr int kOverrideSendOs = 0x01;
inline constexpr int kOverrideSendApp = 0x04;

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kBel = 0x07;

inline constexpr int kNakBudget = 10;
inline constexpr std::size_t kReceiveBufferSize = 126;
inline constexpr int kNoSlot = 255;
inline constexpr std::size_t kNameBytes = 14;
inline constexpr std::size_t kF6NameChars = 13;

struct TransferOptions {
    ImagePath image;
    std::string osImagePath;   // option O; empty: the program's own OS image
    std::string programDir;    // where the OS images "opsys*.bhb" are
    std::string outputDir = ".";  // file mode: where BRSYS01/02.HEX go
    int overrideFlags = 0;
    int loadSlot = kNoSlot;    // 0..3 or kNoSlot
    bool showSlotDialog = true;
    int launchSlot = 0;        // 0 none, 1..4
    bool fileMode = false;
    bool batchMode = false;
    int traceLevel = 0;
    int probeLimitSeconds = 0;
};

enum class Phase { Idle, Send, Wait, Receive, ProcessReceived };

class TransferSession {
public:
    using PortOpener = std::function<std::unique_ptr<SerialPort>(PortError&)>;
    using FileLoader = std::function<bool(const std::string& path, std::string& bytes)>;

    TransferSession(SessionHost& host, ReplyTimer& timer, Clock& clock);

    void setPortOpener(PortOpener opener) { openPort_ = std::move(opener); }
    void setFileLoader(FileLoader loader) { loadFile_ = std::move(loader); }
    /// The maximum baud setting; lowered by a port that refuses the start rate
    /// and kept for later transfers.
    void setMaxBaud(int maxBaud) { maxBaud_ = maxBaud; }
    int maxBaud() const { return maxBaud_; }

    /// Step 0, send phase, prepare flag set.
    void start(const TransferOptions& options);
    /// One pass of the engine.
    void pass();
    /// The reply timer fired.
    void onTimeout();
    /// Esc or "&Abort": the next check of the result ends the transfer.
    void abort();
    /// Closes port, image part and output files; the session becomes idle.
    /// Answers the result code that ended the transfer.
    int finish();

    bool active() const { return phase_ != Phase::Idle; }
    int result() const { return result_; }
    int currentStep() const { return current_; }
    Phase phase() const { return phase_; }
    /// True when the next pass has work without waiting for the port.
    bool wantsPass() const { return phase_ == Phase::Send || phase_ == Phase::ProcessReceived; }
    SerialPort* port() const { return port_.get(); }
    int terminalType() const { return terminalType_; }
    int terminalVersion() const { return terminalVersion_; }
    bool sendOs() const { return sendOs_; }
    int loadSlot() const { return options_.loadSlot; }
    const std::array<std::string, 4>& storedNames() const { return names_; }
    const ImageScan& scan() const { return scan_; }

    /// The F6 record for a load slot, image file name and font flag.
    static std::string applicationNameRecord(int loadSlot, const std::string& fileName, bool font);
    /// The F9 record for a launch slot 1..4.
    static std::string launchRecord(int launchSlot);
    /// An OS image line as it goes to the terminal: segment records 0..7000
    /// become bank records, type 03 records are dropped (nothing answered).
    static std::optional<std::string> convertOsRecord(const std::string& line);

private:
    enum class Part { None, Os, Application, Font };
    enum class Outcome { Prepared, Success, Failure, Stop };

    void sendPhase();
    void waitPhase();
    void receivePhase();
    void processReceived();
    std::optional<std::string> prepareStep();
    Outcome runAction(const Step& step, std::string& line);
    Outcome initState();
    Outcome updateSystem();
    void afterAck(bool modelCheck);
    void moveTo(int step);
    void endWith(int code);
    bool writeAnswer(std::uint8_t byte);
    void trace(const std::string& line);
    std::uint64_t measure();
    bool loadOsImage();
    std::optional<std::string> nextPartLine(Part part);
    void closePart();

    SessionHost& host_;
    ReplyTimer& timer_;
    Clock& clock_;
    PortOpener openPort_;
    FileLoader loadFile_;
    StepTable table_;
    TransferOptions options_;
    std::unique_ptr<SerialPort> port_;
    FileWriter writer_;

    int current_ = 0;
    Phase phase_ = Phase::Idle;
    bool prepare_ = true;
    bool hasLine_ = false;
    std::string line_;
    int nakBudget_ = kNakBudget;
    int timeoutMs_ = 5000;
    int result_ = kResultRunning;
    int maxBaud_ = kMaxBaud38400;
    bool sendOs_ = false;
    bool sendApp_ = true;
    int terminalType_ = kModelUnknown;
    int terminalVersion_ = 0;
    int imageModel_ = kModelUnknown;
    bool launchSent_ = false;
    bool programmed_ = false;
    std::array<std::string, 4> names_;
    std::string rx_;
    std::optional<std::vector<std::uint8_t>> versionData_;
    std::string appImage_;
    std::string osImage_;
    std::string osPath_;
    bool osLoaded_ = false;
    ImageScan scan_;
    std::size_t appCount_ = 0;
    RecordSource source_;
    Part part_ = Part::None;
    std::uint64_t progressTotal_ = 0;
    std::uint64_t progressDone_ = 0;
    int lastPercent_ = -1;
    std::uint64_t probeStartMs_ = 0;

};

}  // namespace tarvo::xfer
