// AnsiCodec: converts between the model's 16-bit text and the 8-bit Windows-1252
// text of script files.
#pragma once

#include <string>
#include <string_view>

namespace tarvo::script {

/// The 16-bit character of one Windows-1252 byte. Every byte has one (the five
/// bytes the code page leaves unassigned map to the C1 controls of the same value),
/// so reading never fails and writing a read text gives the same bytes.
char16_t ansiToWide(unsigned char byte);
std::u16string ansiToWide(std::string_view bytes);

/// Whether every character of `text` has a Windows-1252 byte.
bool isAnsiRepresentable(std::u16string_view text);

/// Converts `text`; a character without a byte becomes '?'. Callers check
/// isAnsiRepresentable first where a lossy copy is not acceptable.
std::string wideToAnsi(std::u16string_view text);

}  // namespace tarvo::script
