// The powers of ten that scalePow10 applies, each the extended value nearest
// to the exact power (the entries up to 10^27 are exact).
//   kSmall[3] -> 1000    kMedium[1] -> the extended value nearest 10^32
#pragma once

#include "numeric/extended.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {
namespace pow10 {

extern const Extended kSmall[32];   // 10^i,       i = 0 ... 31
extern const Extended kMedium[16];  // 10^(32 j),  j = 0 ... 15 (entry 0 unused)
extern const Extended kLarge[10];   // 10^(512 k), k = 0 ... 9  (entry 0 unused)

}  // namespace pow10
}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
