// The text of a failure report.
#pragma once

#include <string>
#include <string_view>

namespace optics {

// The box text for an exception message: the message, with "." appended when
// it is not empty and its last character compares above "." (0x2E). Every
// non-ASCII character (all Japanese text), every letter and every digit
// compares above it; ".", ")", "!" and a blank do not.
//   "0 による浮動小数点数除算" -> "0 による浮動小数点数除算."
//   "Done." -> "Done."      "(x)" -> "(x)"      "" -> ""
std::string ReportText(std::string_view message);

}  // namespace optics
