// ResultCode: every way a transfer ends; each code is also the id of its
// message and the exit code of a batch run.
#pragma once
#include <string>

namespace tarvo::xfer {

enum ResultCode : int {
    kResultRunning = 0,
    kResultHexFileError = 1,
    kResultBelReceived = 3,
    kResultWriteError = 7,
    kResultTooManyNaks = 11,
    kResultUserAborted = 12,
    kResultProgrammingAborted = 13,
    kResultSuccess = 15,
    kResultTimeOutExceeded = 16,
    kResultOpenComError = 18,
    kResultSetComStateError = 19,
    kResultNotReprogrammed = 23,
    kResultWrongModelVK7100 = 25,
    kResultWrongModelVK81 = 26,
    kResultWrongModelVK61 = 27,
    kResultTooLarge = 28,
    kResultInvalidParameter = 29,
    // The terminal stopped answering before anything was programmed.
    kResultNoAnswer = 30,
};

/// Log-only messages.
inline constexpr const char* kMsgNakResending = "NAK received - Re-Sending.";
inline constexpr const char* kMsgCommPortError = "Comm port error :";

/// The message of a result code, "Unknown message" for codes without one.
std::string resultMessage(int code);

}  // namespace tarvo::xfer
