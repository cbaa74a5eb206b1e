// TransferController: one run of tarvoxfer without its front end: the program
// settings, starting a transfer, the port it opens (a serial device or the
// virtual terminal), the engine calls of the main loop and how a transfer ends.
// The headless program and the window both drive it.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "driver/command_line.h"
#include "driver/log_list.h"
#include "driver/port_settings.h"
#include "driver/virtual_terminal_process.h"
#include "image/image_path.h"
#include "protocol/session_host.h"
#include "protocol/transfer_session.h"

namespace tarvo::xfer {

/// The settings of one run, from the command line, the remembered port and
/// the dialogs.
struct ProgramSettings {
    PortChoice port;
    ImagePath image;             // empty: none chosen yet
    int loadSlot = kNoSlot;      // 0..3, kNoSlot = ask
    bool showSlotDialog = true;
    int launchSlot = 0;          // 0 none, 1..4
    std::string osImagePath;     // empty: the program's own OS image
    int overrideFlags = 0;       // kOverrideSendOs | kOverrideSendApp, 0 = none
    int maxBaud = 0;             // at start: kMaxBaud38400 .. kMaxBaudEmulator
    bool fileMode = false;
    int traceLevel = 0;          // 0, 1 list, 2 list and trace file
    bool batch = false;          // no dialogs; the result becomes the exit code
    bool exitAfterTransfer = false;
    int probeLimitSeconds = 0;   // 0 = none
};

/// Settings from a parsed command line; the port comes from `remembered`
/// when the command line names none. The image path is split against `cwd`
/// (an unusable path leaves the image empty).
ProgramSettings settingsFromCommandLine(const CommandLine& cl, const PortChoice& remembered,
                                        const std::string& cwd);

enum class StartOutcome {
    Started,        // step 0 runs with the next pass
    NeedImage,      // no usable image: the front end asks for one
    AlreadyActive,  // a transfer is running; nothing changed
    Failed,         // batch mode: the image cannot be read; the result is due
};

/// What the front end does after a transfer ended.
struct TransferEnding {
    int result = kResultRunning;
    bool exitProgram = false;
    int exitCode = 0;
};

class TransferController {
public:
    /// `log` receives the result messages; the session reports to `host`.
    TransferController(SessionHost& host, ReplyTimer& timer, Clock& clock, LogList& log,
                       ProgramSettings settings);
    ~TransferController();
    TransferController(const TransferController&) = delete;
    TransferController& operator=(const TransferController&) = delete;

    ProgramSettings& settings() { return settings_; }
    const ProgramSettings& settings() const { return settings_; }
    /// The maximum baud setting in force (a port that refused the start rate
    /// lowers it for later transfers).
    int maxBaud() const { return session_.maxBaud(); }
    void setMaxBaud(int maxBaud) { session_.setMaxBaud(maxBaud); }
    /// Where file mode writes BRSYS01.HEX and BRSYS02.HEX (the working folder by default).
    void setOutputDir(std::string dir) { outputDir_ = std::move(dir); }

    /// Chooses a new image: the path is split as on the command line. False
    /// (and nothing changed) when the path is unusable.
    bool chooseImage(const std::string& path, const std::string& cwd);

    /// "Program the Portable": checks the image and starts step 0.
    StartOutcome startTransfer();

    bool active() const { return session_.active(); }
    /// True when a result is set and endTransfer() is due.
    bool resultDue() const { return resultDue_ || (session_.active() && session_.result() != kResultRunning); }
    /// True when the next pass has work without waiting for the port.
    bool wantsPass() const { return session_.active() && session_.wantsPass(); }
    /// The descriptor to wait on for bytes from the terminal, -1 without a port.
    int pollFd() const;
    bool beyondStart() const { return session_.active() && session_.currentStep() != steps::kInit; }

    void pass() { session_.pass(); }
    void onTimeout() { session_.onTimeout(); }
    /// Esc and "&Abort": ends the transfer with "User aborted" once it has left
    /// step 0; at other times nothing happens.
    bool abort();

    /// Closes the port and the image, stops a virtual terminal, logs the result
    /// message and tells the front end whether the program ends, and how.
    TransferEnding endTransfer();

    /// Remembers the port for the next run.
    bool savePort(const PortSettings& store) const { return store.save(settings_.port); }

    const TransferSession& session() const { return session_; }

private:
    std::unique_ptr<SerialPort> openPort(PortError& err);

    SessionHost& host_;
    LogList& log_;
    ProgramSettings settings_;
    TransferSession session_;
    VirtualTerminalProcess vterm_;
    std::string outputDir_ = ".";
    int imageModel_ = kModelUnknown;
    std::string checkedPath_;   // the image read by startTransfer, until step 0 takes it
    std::string checkedImage_;
    bool resultDue_ = false;  // set when the start itself failed in batch mode
    int startResult_ = kResultRunning;
};

/// The model option of tarvoterm for an image model code.
std::string virtualTerminalModel(int imageModel);

}  // namespace tarvo::xfer
