// Renders a finished (or interrupted) session: the JSON transcript and the
// received application image as a HEX file.
#pragma once

#include <string>

#include "tarvo/vterm/virtual_terminal.h"

namespace tarvo::vterm {

/// The session as one JSON object: configuration, final state, every event,
/// the accepted commands and the records of each image part.
std::string transcriptJson(const VirtualTerminal& terminal);

/// The accepted application records followed by the font records, one per
/// line ended by CR LF, as they stand in the image file. The font marker
/// record never travels, so it is not in this output.
std::string receivedImageHex(const SessionLog& log);

}  // namespace tarvo::vterm
