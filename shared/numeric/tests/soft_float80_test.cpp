// The software extended arithmetic against the x87 unit itself: every
// operation on the same 80 bits must give the same 80 bits (NaNs included)
// and record the same exception flags, on random operands drawn towards the
// regions where rounding, underflow, overflow and the special encodings
// decide the result, and on every pair of a boundary list.
//
// The random sweep runs kCases cases per operation (ten million under
// -DOPTICAL_LONG_TESTS=ON). A mismatch names the operation, the seed and
// the case, with its operands in hex (sign and exponent, then significand).
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "float80_operands.h"
#include "numeric/fpu_environment.h"
#include "numeric/soft_float80.h"
#include "x87_operations.h"

#ifndef OPTICAL_LONG_TESTS
#define OPTICAL_LONG_TESTS 0
#endif

namespace optics {
namespace {

using soft::Float80;
using soft::Flags;
using testing::Operands;

constexpr int kCases = OPTICAL_LONG_TESTS ? 8'000'000 : 1'000'000;
constexpr int kMismatchesShown = 8;

// A result as plain bits: an extended value, a double, or an ordering.
struct Outcome {
  std::uint64_t low;
  std::uint16_t high;
  std::uint8_t flags;
  bool operator==(const Outcome&) const = default;
};

Outcome Of(Float80 v, Flags f) { return {v.significand, v.sign_exponent, f.bits}; }
Outcome Of(x87::Result r) { return {r.value.significand, r.value.sign_exponent, r.flags}; }
Outcome Of(double d, Flags f) {
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return {bits, 0, f.bits};
}
Outcome Of(x87::DoubleResult r) { return {r.bits, 0, r.flags}; }
Outcome Of(soft::Ordering o, Flags f) { return {static_cast<std::uint64_t>(o), 0, f.bits}; }
Outcome Of(x87::OrderingResult r) { return {static_cast<std::uint64_t>(r.ordering), 0, r.flags}; }

std::string Hex(Float80 v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04x:%016" PRIx64, v.sign_exponent, v.significand);
  return buf;
}
std::string Hex(const Outcome& o) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04x:%016" PRIx64 " flags %02x", o.high, o.low, o.flags);
  return buf;
}

// Which fields of Operands an operation reads, for the failure message and
// the boundary cases.
enum class Takes { kOne, kTwo, kScale, kDouble, kInteger };

struct Operation {
  const char* name;
  Takes takes;
  Outcome (*soft)(const Operands&);
  Outcome (*x87)(const Operands&);
};

// Shows a row by its name (in test names and failure messages).
void PrintTo(const Operation& op, std::ostream* out) { *out << op.name; }

std::string Describe(const Operation& op, const Operands& o) {
  switch (op.takes) {
    case Takes::kOne:
      return "a " + Hex(o.a);
    case Takes::kTwo:
      return "a " + Hex(o.a) + ", b " + Hex(o.b);
    case Takes::kScale:
      return "a " + Hex(o.a) + ", n " + std::to_string(o.n);
    case Takes::kDouble:
    case Takes::kInteger: {
      char buf[24];
      std::snprintf(buf, sizeof buf, "%016" PRIx64, o.double_bits);
      return std::string(op.takes == Takes::kDouble ? "double " : "integer ") + buf;
    }
  }
  return {};
}

#define OPTICAL_BINARY(Name)                                                        \
  Operation{#Name, Takes::kTwo,                                                     \
            [](const Operands& o) {                                                 \
              Flags f;                                                              \
              const auto r = soft::Name(o.a, o.b, f);                               \
              return Of(r, f);                                                      \
            },                                                                      \
            [](const Operands& o) { return Of(x87::Name(o.a, o.b)); }}
#define OPTICAL_UNARY(Name)                                                         \
  Operation{#Name, Takes::kOne,                                                     \
            [](const Operands& o) {                                                 \
              Flags f;                                                              \
              const auto r = soft::Name(o.a, f);                                    \
              return Of(r, f);                                                      \
            },                                                                      \
            [](const Operands& o) { return Of(x87::Name(o.a)); }}

const Operation kOperations[] = {
    OPTICAL_BINARY(Add),
    OPTICAL_BINARY(Subtract),
    OPTICAL_BINARY(Multiply),
    OPTICAL_BINARY(Divide),
    OPTICAL_BINARY(Compare),
    OPTICAL_BINARY(CompareSignaling),
    OPTICAL_UNARY(SquareRoot),
    OPTICAL_UNARY(RoundToIntegral),
    OPTICAL_UNARY(ToDouble),
    Operation{"Negate", Takes::kOne,
              [](const Operands& o) { return Of(soft::Negate(o.a), Flags{}); },
              [](const Operands& o) { return Of(x87::Negate(o.a)); }},
    Operation{"ScaleByPowerOfTwo", Takes::kScale,
              [](const Operands& o) {
                Flags f;
                const Float80 r = soft::ScaleByPowerOfTwo(o.a, o.n, f);
                return Of(r, f);
              },
              [](const Operands& o) { return Of(x87::ScaleByPowerOfTwo(o.a, o.n)); }},
    Operation{"FromDouble", Takes::kDouble,
              [](const Operands& o) {
                Flags f;
                double d;
                std::memcpy(&d, &o.double_bits, sizeof d);
                const Float80 r = soft::FromDouble(d, f);
                return Of(r, f);
              },
              [](const Operands& o) { return Of(x87::FromDouble(o.double_bits)); }},
    Operation{"FromInt64", Takes::kInteger,
              [](const Operands& o) {
                return Of(soft::FromInt64(static_cast<std::int64_t>(o.double_bits)), Flags{});
              },
              [](const Operands& o) {
                return Of(x87::FromInt64(static_cast<std::int64_t>(o.double_bits)));
              }},
    Operation{"FromInt32", Takes::kInteger,
              [](const Operands& o) {
                return Of(soft::FromInt32(static_cast<std::int32_t>(o.double_bits)), Flags{});
              },
              [](const Operands& o) {
                return Of(x87::FromInt64(static_cast<std::int32_t>(o.double_bits)));
              }},
};

// A fixed seed per operation (FNV-1a of its name), the same on every machine.
std::uint64_t SeedOf(std::string_view name) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return h;
}

// The boundary cases of an operation: every pair of the boundary list for
// two operands, every value with a set of edge scalings, and the edge
// doubles and integers of the loads.
std::vector<Operands> BoundaryCases(Takes takes) {
  const std::vector<Float80>& list = testing::BoundaryList();
  std::vector<Operands> cases;
  switch (takes) {
    case Takes::kTwo:
      for (const Float80 a : list) {
        for (const Float80 b : list) cases.push_back({a, b, 0, 0});
      }
      break;
    case Takes::kOne:
      for (const Float80 a : list) cases.push_back({a, a, 0, 0});
      break;
    case Takes::kScale:
      for (const Float80 a : list) {
        for (const std::int32_t n : {0, 1, -1, 63, -63, 64, -64, 16382, -16382, 16383, -16383,
                                     16445, -16445, 16446, -16446, 32767, -32768, 32769, -32769,
                                     INT32_MAX, INT32_MIN}) {
          cases.push_back({a, a, n, 0});
        }
      }
      break;
    case Takes::kDouble:
    case Takes::kInteger:
      for (const std::uint64_t bits :
           {0x0ull, 0x1ull, 0x000FFFFFFFFFFFFFull, 0x0010000000000000ull, 0x3FEFFFFFFFFFFFFFull,
            0x3FF0000000000000ull, 0x3FF0000000000001ull, 0x7FEFFFFFFFFFFFFFull,
            0x7FF0000000000000ull, 0x7FF0000000000001ull, 0x7FF7FFFFFFFFFFFFull,
            0x7FF8000000000000ull, 0x7FFFFFFFFFFFFFFFull, 0x0000000080000000ull,
            0x000000007FFFFFFFull, 0x0020000000000001ull, 0x00000000FFFFFFFFull}) {
        cases.push_back({{}, {}, 0, bits});
        cases.push_back({{}, {}, 0, bits | 0x8000000000000000ull});
        cases.push_back({{}, {}, 0, ~bits});
      }
      break;
  }
  return cases;
}

class SoftFloat80 : public ::testing::TestWithParam<Operation> {
 protected:
  void SetUp() override { EstablishArithmeticEnvironment(); }

  // Compares one case; reports the first kMismatchesShown mismatches.
  void Check(const Operands& o, std::uint64_t seed, long long index) {
    const Operation& op = GetParam();
    const Outcome want = op.x87(o);
    const Outcome got = op.soft(o);
    if (got == want) return;
    if (++mismatches_ > kMismatchesShown) return;
    ADD_FAILURE() << op.name << " (seed " << std::hex << seed << std::dec << ", case " << index
                  << ") of " << Describe(op, o) << ": software " << Hex(got) << ", x87 "
                  << Hex(want);
  }

  int mismatches_ = 0;
};

TEST_P(SoftFloat80, RandomOperandsGiveTheX87Result) {
  const std::uint64_t seed = SeedOf(GetParam().name);
  testing::SplitMix random(seed);
  for (long long i = 0; i < kCases; ++i) Check(testing::RandomOperands(random), seed, i);
  EXPECT_EQ(mismatches_, 0) << "mismatches in " << kCases << " cases";
}

TEST_P(SoftFloat80, BoundaryCasesGiveTheX87Result) {
  const std::vector<Operands> cases = BoundaryCases(GetParam().takes);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Check(cases[i], 0, static_cast<long long>(i));
  }
  EXPECT_EQ(mismatches_, 0) << "mismatches in " << cases.size() << " boundary cases";
}

INSTANTIATE_TEST_SUITE_P(Operations, SoftFloat80, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace optics
