// Every power of ten that the conversions apply is the extended value nearest
// to the exact power, checked against GNU MPFR, and, where the compiler's
// long double is the x87 format, the value it reads the literal 1eNL as.
#include <gtest/gtest.h>

#include "mpfr_extended.h"
#include "numeric/pow10_tables.h"
#include "test_support.h"

namespace optics {
namespace {

using testing::Hex;

Extended Nearest(unsigned long exponent) {
  const ExtendedBits b = testing::NearestExtendedPow10(exponent);
  return Extended::FromBits(b.sign_exponent, b.significand);
}

TEST(PowersOfTen, EveryTableEntryIsTheNearestExtendedValue) {
  for (unsigned i = 0; i < 32; ++i) EXPECT_EQ(Hex(pow10::kSmall[i]), Hex(Nearest(i))) << "10^" << i;
  for (unsigned j = 1; j < 16; ++j) {
    EXPECT_EQ(Hex(pow10::kMedium[j]), Hex(Nearest(32 * j))) << "10^" << 32 * j;
  }
  for (unsigned k = 1; k < 10; ++k) {
    EXPECT_EQ(Hex(pow10::kLarge[k]), Hex(Nearest(512 * k))) << "10^" << 512 * k;
  }
}

TEST(PowersOfTen, EntriesUpTo27AreExact) {
  Extended exact = 1;
  for (int i = 0; i <= 27; ++i, exact = exact * 10) {
    EXPECT_EQ(Hex(pow10::kSmall[i]), Hex(exact)) << i;
  }
}

#if OPTICAL_HOST_X87
TEST(PowersOfTen, EveryEntryIsTheCompilersReadingOfTheLiteral) {
  const long double small[32] = {
    1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L, 1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L,
    1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
  const long double medium[16] = {
    1e0L, 1e32L, 1e64L, 1e96L, 1e128L, 1e160L, 1e192L, 1e224L, 1e256L, 1e288L, 1e320L, 1e352L,
    1e384L, 1e416L, 1e448L, 1e480L};
  const long double large[10] = {
    1e0L, 1e512L, 1e1024L, 1e1536L, 1e2048L, 1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};
  for (unsigned i = 0; i < 32; ++i) EXPECT_EQ(Hex(pow10::kSmall[i]), Hex(Extended(small[i]))) << i;
  for (unsigned j = 0; j < 16; ++j) EXPECT_EQ(Hex(pow10::kMedium[j]), Hex(Extended(medium[j]))) << j;
  for (unsigned k = 0; k < 10; ++k) EXPECT_EQ(Hex(pow10::kLarge[k]), Hex(Extended(large[k]))) << k;
}
#endif

}  // namespace
}  // namespace optics
