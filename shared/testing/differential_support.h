// Helpers of the differential tests: the size of the sweeps, a seeded source
// of random choices, short descriptions of texts for failure messages, and
// the comparison of one parse with the reference model.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "extended_reference.h"
#include "numeric/decimal.h"
#include "test_support.h"

#ifndef OPTICAL_LONG_TESTS
#define OPTICAL_LONG_TESTS 0
#endif

namespace optics::testing {

// The long sweeps (-DOPTICAL_LONG_TESTS=ON) run this many times the cases.
inline constexpr int kSweepFactor = OPTICAL_LONG_TESTS ? 100 : 1;

// Reports at most this many mismatches per test; one fault tends to show in
// thousands of cases.
inline constexpr int kMismatchesShown = 8;

// A fixed seed for a named sweep (FNV-1a of the name). With Random below the
// sweep draws the same cases on every machine and standard library: the
// engine is fully specified by the standard, and the draws from it are made
// here rather than by the library's distributions, whose algorithms differ.
inline std::uint64_t SeedOf(std::string_view name) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return h;
}

class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}

  std::uint64_t Bits() { return engine_(); }
  // A whole number in [lo, hi], every one equally likely (rejection of the
  // few draws above the largest multiple of the range).
  int Uniform(int lo, int hi) {
    const std::uint64_t range = static_cast<std::uint64_t>(hi - lo) + 1;
    const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % range + 1) % range;
    std::uint64_t draw;
    do draw = engine_(); while (draw > limit);
    return lo + static_cast<int>(draw % range);
  }
  // True with probability p: a 53-bit fraction in [0, 1) below p.
  bool Chance(double p) { return static_cast<double>(engine_() >> 11) * 0x1p-53 < p; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[static_cast<std::size_t>(Uniform(0, static_cast<int>(N) - 1))];
  }

  // count decimal digits; the first is not 0 when nonzero_first.
  std::string Digits(int count, bool nonzero_first = false) {
    std::string s;
    for (int i = 0; i < count; ++i) {
      s += static_cast<char>('0' + Uniform(i == 0 && nonzero_first ? 1 : 0, 9));
    }
    return s;
  }

 private:
  std::mt19937_64 engine_;
};

// A text for a failure message: quoted, and shortened when long.
inline std::string Describe(std::string_view text) {
  if (text.size() <= 120) return "'" + std::string(text) + "'";
  return "'" + std::string(text.substr(0, 60)) + "..." +
         std::string(text.substr(text.size() - 40)) + "' (" + std::to_string(text.size()) +
         " bytes)";
}

// StrToFloat(text, separator) against the model: the same verdict (a number
// or EConvertError), the same extended bits, and the same double after the
// caller's store (or the same EOverflow).
inline ::testing::AssertionResult ParsesLikeTheReference(std::string_view text,
                                                         char32_t separator) {
  const reference::ParseOutcome want = reference::StrToFloat(text, separator);
  std::optional<Extended> got;
  try {
    got = StrToFloat(text, separator);
  } catch (const EConvertError&) {
  }
  char sep[16];
  std::snprintf(sep, sizeof sep, "U+%04X", static_cast<unsigned>(separator));
  const std::string where = Describe(text) + " (separator " + sep + ")";
  if (!got.has_value() || !want.valid) {
    if (got.has_value() == want.valid) return ::testing::AssertionSuccess();
    if (got.has_value()) {
      return ::testing::AssertionFailure()
             << where << ": read as " << Hex(*got) << ", the reference rejects it";
    }
    return ::testing::AssertionFailure()
           << where << ": rejected, the reference reads " << Hex(want.value);
  }
  if (Hex(*got) != Hex(want.value)) {
    return ::testing::AssertionFailure()
           << where << ": extended " << Hex(*got) << ", reference " << Hex(want.value);
  }
  const reference::StoreOutcome want_stored = reference::Store(want.value);
  std::optional<double> stored;
  try {
    stored = Double::Store(*got);
  } catch (const EOverflow&) {
  }
  if (stored.has_value() == want_stored.overflow) {
    return ::testing::AssertionFailure()
           << where << " (extended " << Hex(*got) << "): the store "
           << (stored ? "gives " + Hex(*stored) : std::string("overflows")) << ", reference "
           << (want_stored.overflow ? std::string("overflows") : Hex(want_stored.value));
  }
  if (stored && Bits(*stored) != Bits(want_stored.value)) {
    return ::testing::AssertionFailure()
           << where << " (extended " << Hex(*got) << "): stored " << Hex(*stored) << ", reference "
           << Hex(want_stored.value);
  }
  return ::testing::AssertionSuccess();
}

}  // namespace optics::testing
