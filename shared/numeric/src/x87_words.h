// Reading the x87 unit's control and status words, for both back ends'
// environment functions (x86 and x86-64 only).
#pragma once

#include <cstdint>

namespace optics::x87_words {

inline std::uint16_t Control() {
  std::uint16_t cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

inline std::uint16_t Status() {
  std::uint16_t sw;
  __asm__ volatile("fnstsw %0" : "=m"(sw));
  return sw;
}

}  // namespace optics::x87_words
