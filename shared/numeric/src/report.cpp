#include "numeric/report.h"

namespace optics {

std::string ReportText(std::string_view message) {
  std::string text(message);
  if (!text.empty()) {
    // The last byte of a multi-byte UTF-8 character is >= 0x80: such a
    // character always compares above ".", as a double-byte one does.
    const auto last = static_cast<unsigned char>(text.back());
    if (last > '.') text += '.';
  }
  return text;
}

}  // namespace optics
