// StepTable: the 49 steps of one download and where each answer leads.
#pragma once
#include <array>
#include <string_view>

namespace tarvo::xfer {

enum class StepKind { Action, Command, EraseCommand, OsRecords, ApplicationRecords, FontRecords };

enum class StepAction {
    None, InitState, SetTimeout, SetBaud, Receive, UpdateSystem, InquireApps,
    GetApplicationInfo, SetApplicationName, GetFilesSize, SendFonts, EndState,
    EndStateNotProgrammed, LaunchApplication, Nothing,
};

struct Step {
    std::string_view name;
    StepKind kind = StepKind::Action;
    int onAck = 0;       // ACK, or success of an action
    int onNak = 0;       // NAK, another byte, or failure of an action
    int onTimeout = 0;
    int onBel = 0;
    int param = 0;       // time-out in ms or baud rate
    std::string_view record;  // command record, carriage return included
    StepAction action = StepAction::None;
};

inline constexpr int kStepCount = 49;

/// Maximum baud settings.
enum MaxBaud : int { kMaxBaud38400 = 0, kMaxBaud19200 = 1, kMaxBaud9600 = 2, kMaxBaudEmulator = 3 };

namespace steps {
inline constexpr int kInit = 0, kProbeStart = 1, kBankInquire = 10, kVersionDecision = 23,
                     kInquireApps = 24, kFirstName = 26, kLastName = 29, kSetName = 30,
                     kEraseAll = 35, kEraseApps = 36, kOsRecords = 38, kAppRecords = 39,
                     kSendFonts = 40, kFontRecords = 41, kReset = 42, kEnd = 43, kEndNotProgrammed = 45,
                     kLaunch = 46, kLaunchAcked = 47, kLaunchNaked = 48;
}

class StepTable {
public:
    StepTable();
    /// Sets the probe cycle and the speed command for a maximum baud setting,
    /// and the successor of step 0 for file or port mode.
    void setUp(int maxBaud, bool fileMode);
    const Step& operator[](int step) const { return steps_[std::size_t(step)]; }
    /// The port rate tried first at the start of a transfer.
    static int startRate(int maxBaud);

private:
    std::array<Step, kStepCount> steps_;
};

}  // namespace tarvo::xfer
