// GeneratorStrings: the generator's string table of message and title texts, by id.
#pragma once

#include <string_view>

namespace tarvo {

/// Title ids of the generator's message boxes.
namespace title {
inline constexpr int kFileError = 200;
inline constexpr int kFileReadError = 201;
inline constexpr int kWarning = 202;
inline constexpr int kError = 203;
inline constexpr int kFileWrite = 400;
} // namespace title

/// Longest title and message the message dialog loads.
inline constexpr std::size_t kMaxTitleLength = 100;
inline constexpr std::size_t kMaxMessageLength = 512;

/// Shown when a message id or a title id is not in the table.
inline constexpr std::string_view kUnknownErrorText = "Unknown error";
inline constexpr std::string_view kUnknownMessageText = "Unknown message";
/// The message dialog's fallbacks when either string cannot be loaded.
inline constexpr std::string_view kDialogFallbackTitle = "Error";
inline constexpr std::string_view kDialogFallbackMessage = "Unknown Error";

/// Texts without an id.
inline constexpr std::string_view kSyntaxErrorFormat =
    "The Tarvo file '%s' cannot be loaded.\n\nSyntax error on line %d.";
inline constexpr std::string_view kMissingStartFormat = "Missing next node in Frame %s Start node";
inline constexpr std::string_view kMissingNextFormat = "Missing next node in Frame %s, %s node %s";
inline constexpr std::string_view kEchoPositionFormat =
    "Row number must be between 0 and %d. Column number must be between 0 and %d. "
    "Enter appropriate values and select OK.";
inline constexpr std::string_view kDrawingErrorDetailsPrefix = "An error occured in:\n";
inline constexpr std::string_view kNewApplicationTitle = "New Application";

/// The text of string `id`, or an empty view when the table lacks it.
std::string_view generatorString(int id);
bool hasGeneratorString(int id);

} // namespace tarvo
