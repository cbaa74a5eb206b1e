// The message table of the result codes.
#include "protocol/result_code.h"

namespace tarvo::xfer {

std::string resultMessage(int code) {
    switch (code) {
    case kResultHexFileError: return "Error opening hex file";
    case kResultBelReceived: return "BEL received - Aborting.";
    case kResultWriteError: return "WriteComm error - Aborting.";
    case kResultTooManyNaks: return "Too many NAKs - Aborting";
    case kResultUserAborted: return "User aborted";
    case kResultProgrammingAborted: return "Programming aborted";
    case kResultSuccess: return "Portable successfully programmed";
    case kResultTimeOutExceeded: return "TimeOut exceeded";
    case kResultOpenComError: return "Open com error";
    case kResultSetComStateError: return "Set com state error";
    case kResultNotReprogrammed: return "Portable was not reprogrammed";
    case kResultWrongModelVK7100: return "PDT does not support application file. Recompile for VK7100.";
    case kResultWrongModelVK81: return "PDT does not support application file. Recompile for Strix VK81.";
    case kResultWrongModelVK61: return "PDT does not support application file. Recompile for Strix VK61.";
    case kResultTooLarge: return "Application is too large to load, it must be < FFFFH.";
    case kResultInvalidParameter: return "Invalid parameter specified.";
    case kResultNoAnswer: return "PDT stopped answering - Portable was not reprogrammed.";
    default: return "Unknown message";
    }
}

}  // namespace tarvo::xfer
