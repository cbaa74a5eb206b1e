// Operation codes of the image word stream (token numbers plus the codes above them).
#pragma once

#include <cstdint>

namespace tarvo::compiler::op {

inline constexpr uint16_t kAlpha = 257, kAppend = 258, kAscii = 259, kCallNode = 262, kClear8 = 265,
    kCopyNode = 269, kDelete = 271, kDisplay = 273, kDisplayNode = 275, kDivide = 276, kField = 280,
    kFileVar = 281, kFileRecord = 282, kFileRecordField = 283, kFirst = 284, kFrame = 285,
    kFunctionKey = 286, kIgnoreCase = 287, kInputNode = 288, kInsert = 289, kInteger = 290, kKey = 291,
    kKeyboard = 292, kLanguage = 294, kLast = 295, kLiteralText = 298, kMathNode = 299,
    kMenuNode = 300, kMinus = 301, kMod = 302, kModifierNode = 303, kMultiply = 304, kNoLiteral = 306,
    kNumeric = 307, kOutputNode = 308, kOverwrite = 309, kPlus = 310, kRadio = 313, kRegVar = 315,
    kRegField = 316, kReturnNode = 319, kReverse = 320, kSerial = 327, kSubroutine = 333,
    kSystem = 334, kSystemFontSize = 335, kTemplate = 336, kTimeout = 337, kToLower = 338,
    kToUpper = 339, kVerifyNode = 340, kWand = 341, kWedge = 342;

// Codes above the token numbers.
inline constexpr uint16_t kChannel = 0x0159, kNameRef = 0x0161, kParamGroup = 0x0164, kSwitch = 0x016B,
    kEndOfCode = 0x0170;

}  // namespace tarvo::compiler::op
