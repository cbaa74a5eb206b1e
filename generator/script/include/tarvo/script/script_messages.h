// ScriptMessages: the ids and texts of the messages the script writer and reader show.
#pragma once

#include <string>
#include <string_view>

namespace tarvo::script {

// Titles.
inline constexpr int kTitleFileError = 200;
inline constexpr int kTitleFileReadError = 201;
inline constexpr int kTitleWarning = 202;
inline constexpr int kTitleError = 203;
inline constexpr int kTitleFileWrite = 400;

// Reader.
inline constexpr int kMsgErrorOpeningFile = 301;
inline constexpr int kMsgUnrecognizedNodeType = 303;
inline constexpr int kMsgUnexpectedType = 304;
inline constexpr int kMsgFrameInSubroutine = 305;
inline constexpr int kMsgSubroutineInSubroutine = 306;
inline constexpr int kMsgNoActiveFrame = 307;
/// "The Tarvo file '%s' cannot be loaded.\n\nSyntax error on line %d."; the
/// detail carries "path\nline".
inline constexpr int kMsgSyntaxError = 9001;
/// The file ends in the middle of a record.
inline constexpr int kMsgUnexpectedEnd = 9002;

// Writer.
inline constexpr int kMsgLongFileName = 329;
inline constexpr int kMsgOverwrite = 401;
inline constexpr int kMsgPreviousVersion = 403;
inline constexpr int kMsgReadOnly = 444;
/// The file could not be written; the detail is the system's reason.
inline constexpr int kMsgWriteFailed = 9003;
/// The application has no template, so no script could be read back.
inline constexpr int kMsgNoTemplate = 9004;
/// Text that the script's 8-bit character set cannot hold; the detail names it.
inline constexpr int kMsgUnrepresentableText = 9005;

/// The text of a message or title id ("Unknown message" when unknown).
std::string_view messageText(int id);

/// The message with its placeholders filled from `detail`: "%s" takes the
/// first line of the detail, "%d" the second. A detail that fills no
/// placeholder is appended after a colon.
std::string formatMessage(int id, std::string_view detail);

}  // namespace tarvo::script
