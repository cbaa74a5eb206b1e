// Texts of the script messages.
#include "tarvo/script/script_messages.h"

namespace tarvo::script {

std::string_view messageText(int id) {
    switch (id) {
    case kTitleFileError: return "File Error";
    case kTitleFileReadError: return "File Read Error";
    case kTitleWarning: return "Tarvo Warning";
    case kTitleError: return "Tarvo Error";
    case kTitleFileWrite: return "File Write";
    case kMsgErrorOpeningFile: return "Error opening file";
    case kMsgUnrecognizedNodeType: return "Unrecognized node type found";
    case kMsgUnexpectedType: return "Unexpected type in destination";
    case kMsgFrameInSubroutine: return "Subroutines cannot contain frame nodes";
    case kMsgSubroutineInSubroutine: return "Subroutines cannot contain subroutine nodes";
    case kMsgNoActiveFrame: return "No active frame";
    case kMsgSyntaxError: return "The Tarvo file '%s' cannot be loaded.\n\nSyntax error on line %d.";
    case kMsgUnexpectedEnd:
        return "The Tarvo file '%s' cannot be loaded.\n\nThe file ends inside a record on line %d.";
    case kMsgLongFileName:
        return "The name you have selected contains more than 13 characters. PDT application "
               "names must be 13 or fewer characters in length. If you use this file name, only "
               "the first 13 letters will be displayed on the PDT. Continue?";
    case kMsgOverwrite: return "Do you want to overwrite the existing file?";
    case kMsgPreviousVersion:
        return "This application was created by a previous version of Tarvo. Saving the file to "
               "the same name will cause the application to be saved in a format not supported "
               "by other Tarvo versions. Press yes to overwrite the file. Press no to select a "
               "different file name.";
    case kMsgReadOnly: return "The specified file is read-only. Do you wish to save as another file?";
    case kMsgWriteFailed: return "The file could not be written: %s";
    case kMsgNoTemplate:
        return "The application has no template. Add at least one template before saving.";
    case kMsgUnrepresentableText:
        return "This text holds characters that a script file cannot store: %s";
    default: return "Unknown message";
    }
}

std::string formatMessage(int id, std::string_view detail) {
    std::string text(messageText(id));
    size_t newline = detail.find('\n');
    std::string first(detail.substr(0, newline));
    std::string second(newline == std::string_view::npos ? std::string_view() : detail.substr(newline + 1));
    bool used = false;
    if (size_t at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, first);
        used = true;
    }
    if (size_t at = text.find("%d"); at != std::string::npos) {
        text.replace(at, 2, second);
        used = true;
    }
    if (!used && !detail.empty()) text += ": " + std::string(detail);
    return text;
}

}  // namespace tarvo::script
