// The rows of the download's step table and its maximum-baud variants.
#include "protocol/step_table.h"

namespace tarvo::xfer {

namespace {
constexpr std::string_view kProbe = "/.\rj";
constexpr std::string_view kBank2 = ":020000FF0002FD\r";
constexpr std::string_view kBank0 = ":020000FF0000FF\r";
constexpr std::string_view kReset = ":000000F20E\r";

Step action(std::string_view name, StepAction a, int ack, int nak, int timeout, int param = 0) {
    Step s;
    s.name = name;
    s.kind = StepKind::Action;
    s.action = a;
    s.onAck = ack;
    s.onNak = nak;
    s.onTimeout = timeout;
    s.param = param;
    return s;
}

Step command(std::string_view name, std::string_view record, int ack, int nak, int timeout,
             StepKind kind = StepKind::Command) {
    Step s;
    s.name = name;
    s.kind = kind;
    s.record = record;
    s.onAck = ack;
    s.onNak = nak;
    s.onTimeout = timeout;
    return s;
}
}  // namespace

StepTable::StepTable() {
    using A = StepAction;
    steps_ = {{
        action("InitState", A::InitState, 1, 1, 1),
        action("TimeOut=1", A::SetTimeout, 2, 2, 2, 500),
        action("SetBaud 96", A::SetBaud, 3, 3, 3, 9600),
        command("/.", kProbe, 8, 4, 4),
        action("SetBaud 19.2", A::SetBaud, 5, 5, 5, 19200),
        command("/.", kProbe, 8, 6, 6),
        action("SetBaud 38.4", A::SetBaud, 7, 7, 7, 38400),
        command("/.", kProbe, 8, 2, 2),
        action("TimeOut=3", A::SetTimeout, 9, 8, 43, 3000),
        command("Set Bank2", kBank2, 10, 9, 9),
        command("Set Bank0", kBank0, 11, 10, 43),
        command("Send 38.4kbaud", ":010000F40506\r", 12, 11, 11),
        action("SetBaud 38.4", A::SetBaud, 19, 43, 43, 38400),
        command("Send 19.2kbaud", ":010000F40B00\r", 14, 13, 13),
        action("SetBaud 19.2", A::SetBaud, 19, 43, 43, 19200),
        command("Send 9.6kbaud", ":010000F417F4\r", 16, 15, 15),
        action("SetBaud 9.6", A::SetBaud, 19, 43, 43, 9600),
        command("Send 19.2 (emu)", ":010000F40CFF\r", 18, 17, 13),
        action("SetBaud 19.2", A::SetBaud, 19, 43, 43, 19200),
        command("Set Bank2", kBank2, 20, 19, 9),
        command("Set Bank0", kBank0, 21, 20, 43),
        command("Inquire SS ver", ":010000F3010B\r", 22, 21, 43),
        action("RX Mode", A::Receive, 23, 22, 43, 20000),
        action("Update sys?", A::UpdateSystem, 24, 23, 43),
        action("Inquire Apps", A::InquireApps, 25, 24, 43),
        action("Get App 1", A::Receive, 26, 25, 43, 20000),
        action("Get App 2", A::Receive, 27, 26, 43, 20000),
        action("Get App 3", A::Receive, 28, 27, 43, 20000),
        action("Get App 4", A::Receive, 29, 28, 43, 20000),
        action("Get Application Info", A::GetApplicationInfo, 30, 29, 43),
        action("Set Application Name", A::SetApplicationName, 31, 30, 43),
        action("Get Files size", A::GetFilesSize, 32, 44, 43),
        command("Set Bank2", kBank2, 33, 32, 9),
        command("Set Bank0", kBank0, 34, 33, 43),
        action("TimeOut=20", A::SetTimeout, 35, 35, 35, 20000),
        command("Erasing Flash ROM", ":020000F100FF0E\r", 37, 35, 35, StepKind::EraseCommand),
        command("Erasing application Flash", ":020000F100C04D\r", 37, 36, 36, StepKind::EraseCommand),
        action("TimeOut=3", A::SetTimeout, 38, 38, 38, 3000),
        command("1", {}, 38, 38, 38, StepKind::OsRecords),
        command("3", {}, 39, 39, 39, StepKind::ApplicationRecords),
        // A time-out while F7 is answered sends F7 again (it must not end the transfer).
        action("Send Fonts?", A::SendFonts, 41, 40, 40),
        command("5", {}, 41, 41, 41, StepKind::FontRecords),
        command("Reset", kReset, 43, 42, 43),
        action("EndState", A::EndState, 0, 43, 43),
        command("Reset (a)", kReset, 45, 44, 43),
        action("EndState (a)", A::EndStateNotProgrammed, 0, 43, 43),
        action("Launch Application", A::LaunchApplication, 47, 48, 42),
        action("AckLaunch Application", A::Nothing, 40, 40, 40),
        action("NackLaunch Application", A::Nothing, 40, 40, 40),
    }};
    for (int i = 0; i < kStepCount; ++i) {
        Step& s = steps_[std::size_t(i)];
        s.onBel = i <= 7 ? s.onTimeout : (i >= 46 ? 42 : 0);
    }
    setUp(kMaxBaud38400, false);
}

void StepTable::setUp(int maxBaud, bool fileMode) {
    auto fail = [this](int step, int to) {
        steps_[std::size_t(step)].onNak = to;
        steps_[std::size_t(step)].onTimeout = to;
        steps_[std::size_t(step)].onBel = to;
    };
    switch (maxBaud) {
    case kMaxBaud9600:
        fail(3, 2);
        steps_[10].onAck = 15;
        break;
    case kMaxBaud19200:
    case kMaxBaudEmulator:
        fail(3, 4);
        fail(5, 2);
        steps_[10].onAck = maxBaud == kMaxBaud19200 ? 13 : 17;
        break;
    default:
        fail(3, 4);
        fail(5, 6);
        fail(7, 2);
        steps_[10].onAck = 11;
        break;
    }
    int first = fileMode ? steps::kOsRecords : steps::kProbeStart;
    steps_[0].onAck = steps_[0].onNak = steps_[0].onTimeout = steps_[0].onBel = first;
}

int StepTable::startRate(int maxBaud) {
    switch (maxBaud) {
    case kMaxBaud9600: return 9600;
    case kMaxBaud19200:
    case kMaxBaudEmulator: return 19200;
    default: return 38400;
    }
}

}  // namespace tarvo::xfer
