// The powers of ten that scalePow10 applies, each the extended value nearest
// to the exact power (the entries up to 10^27 are exact).
#pragma once

namespace optics::pow10 {

extern const long double kSmall[32];   // 10^i,       i = 0 ... 31
extern const long double kMedium[16];  // 10^(32 j),  j = 0 ... 15 (entry 0 unused)
extern const long double kLarge[10];   // 10^(512 k), k = 0 ... 9  (entry 0 unused)

}  // namespace optics::pow10
