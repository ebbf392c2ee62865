// Every power of ten that the conversions apply is the extended value nearest
// to the exact power, checked against GNU MPFR.
#include <mpfr.h>

#include <gtest/gtest.h>

#include "numeric/pow10_tables.h"

namespace optics {
namespace {

long double NearestExtended(unsigned long exponent) {
  mpfr_t p;
  mpfr_init2(p, 64);
  mpfr_ui_pow_ui(p, 10, exponent, MPFR_RNDN);  // one correct rounding to 64 bits
  const long double v = mpfr_get_ld(p, MPFR_RNDN);
  mpfr_clear(p);
  return v;
}

TEST(PowersOfTen, EveryTableEntryIsTheNearestExtendedValue) {
  for (unsigned i = 0; i < 32; ++i) EXPECT_EQ(pow10::kSmall[i], NearestExtended(i)) << "10^" << i;
  for (unsigned j = 1; j < 16; ++j) {
    EXPECT_EQ(pow10::kMedium[j], NearestExtended(32 * j)) << "10^" << 32 * j;
  }
  for (unsigned k = 1; k < 10; ++k) {
    EXPECT_EQ(pow10::kLarge[k], NearestExtended(512 * k)) << "10^" << 512 * k;
  }
}

TEST(PowersOfTen, EntriesUpTo27AreExact) {
  long double exact = 1.0L;
  for (int i = 0; i <= 27; ++i, exact *= 10) EXPECT_EQ(pow10::kSmall[i], exact) << i;
}

}  // namespace
}  // namespace optics
