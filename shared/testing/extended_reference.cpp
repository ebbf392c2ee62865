#include "extended_reference.h"

#include <gmp.h>
#include <mpfr.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "numeric/extended_bits.h"
#include "numeric/utf8.h"

namespace optics::reference {
namespace {

constexpr mpfr_prec_t kExtendedPrecision = 64;
// MPFR writes a value as 0.1xxx * 2^E. The smallest extended denormal,
// 2^-16445, has E = -16444; the largest finite value is below 2^16384.
constexpr mpfr_exp_t kExtendedEmin = -16444;
constexpr mpfr_exp_t kExtendedEmax = 16384;
constexpr int kBias = 16383;
// 64-bit significands pass through MPFR's and GMP's unsigned long.
static_assert(sizeof(unsigned long) == sizeof(std::uint64_t));

class Real {
 public:
  explicit Real(mpfr_prec_t precision = kExtendedPrecision) {
    mpfr_init2(x_, precision);
    mpfr_set_zero(x_, 1);
  }
  ~Real() { mpfr_clear(x_); }
  Real(const Real&) = delete;
  Real& operator=(const Real&) = delete;

  mpfr_ptr operator*() { return x_; }
  mpfr_srcptr operator*() const { return x_; }

 private:
  mpfr_t x_;
};

// Within this scope MPFR's exponent range is the extended format's; on exit
// the previous range comes back.
class ExtendedRange {
 public:
  ExtendedRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
    mpfr_set_emin(kExtendedEmin);
    mpfr_set_emax(kExtendedEmax);
  }
  ~ExtendedRange() {
    mpfr_set_emin(emin_);
    mpfr_set_emax(emax_);
  }
  ExtendedRange(const ExtendedRange&) = delete;
  ExtendedRange& operator=(const ExtendedRange&) = delete;

 private:
  mpfr_exp_t emin_;
  mpfr_exp_t emax_;
};

// Completes the rounding of an operation whose 64-bit result x carries the
// ternary value t: below 2^-16382 fewer bits are left (a denormal), and
// MPFR rounds once more without rounding twice.
void Denormalize(mpfr_ptr x, int t) { mpfr_subnormalize(x, t, MPFR_RNDN); }

Extended Of(ExtendedBits b) { return Extended::FromBits(b.sign_exponent, b.significand); }

// The value of an extended bit pattern, exactly.
void FromExtended(mpfr_ptr x, Extended v) {
  const ExtendedBits b = v.Bits();
  const int sign = b.Negative() ? -1 : 1;
  if (b.BiasedExponent() == ExtendedBits::kExponentMask) {
    if (b.significand == ExtendedBits::kIntegerBit) {
      mpfr_set_inf(x, sign);
    } else {
      mpfr_set_nan(x);
    }
    return;
  }
  if (b.significand == 0) {
    mpfr_set_zero(x, sign);
    return;
  }
  // A denormal has the exponent of the smallest normal, 2^-16382, and no integer bit.
  const long scale = b.BiasedExponent() == 0 ? 1 - kBias - 63 : b.BiasedExponent() - kBias - 63;
  mpfr_set_ui_2exp(x, b.significand, scale, MPFR_RNDN);  // 64 bits: exact
  if (sign < 0) mpfr_neg(x, x, MPFR_RNDN);
}

// The extended value of x, which must be a value of the format.
Extended ToExtended(mpfr_srcptr x) {
  ExtendedBits b;
  if (mpfr_nan_p(x)) {
    b.sign_exponent = ExtendedBits::kExponentMask;
    b.significand = ExtendedBits::kIntegerBit | (ExtendedBits::kIntegerBit >> 1);
    return Of(b);
  }
  const std::uint16_t sign = mpfr_signbit(x) ? ExtendedBits::kSignMask : std::uint16_t{0};
  if (mpfr_inf_p(x)) {
    b.sign_exponent = sign | ExtendedBits::kExponentMask;
    b.significand = ExtendedBits::kIntegerBit;
    return Of(b);
  }
  b.sign_exponent = sign;
  if (mpfr_zero_p(x)) return Of(b);

  mpz_t z;
  mpz_init(z);
  const long q = mpfr_get_z_2exp(z, x);  // |x| = |z| * 2^q
  mpz_abs(z, z);
  const long top = q + static_cast<long>(mpz_sizeinbase(z, 2)) - 1;  // 2^top <= |x|
  if (top >= 1 - kBias) {
    // Normal: a 64-bit significand whose top bit has the weight 2^top.
    const long shift = static_cast<long>(mpz_sizeinbase(z, 2)) - 64;
    if (shift > 0) {
      if (!mpz_divisible_2exp_p(z, static_cast<mp_bitcnt_t>(shift))) {
        mpz_clear(z);
        throw std::logic_error("not an extended value: more than 64 bits");
      }
      mpz_tdiv_q_2exp(z, z, static_cast<mp_bitcnt_t>(shift));
    } else {
      mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(-shift));
    }
    b.sign_exponent = static_cast<std::uint16_t>(sign | (top + kBias));
  } else {
    // Denormal: the significand counts units of 2^-16445.
    const long shift = q - (1 - kBias - 63);
    if (shift < 0) {
      if (!mpz_divisible_2exp_p(z, static_cast<mp_bitcnt_t>(-shift))) {
        mpz_clear(z);
        throw std::logic_error("not an extended value: below the smallest denormal");
      }
      mpz_tdiv_q_2exp(z, z, static_cast<mp_bitcnt_t>(-shift));
    } else {
      mpz_mul_2exp(z, z, static_cast<mp_bitcnt_t>(shift));
    }
  }
  b.significand = mpz_get_ui(z);
  mpz_clear(z);
  return Of(b);
}

// The factors of the scaling: each power of ten rounded once to 64 bits.
struct PowersOfTen {
  Real small[32];   // 10^i
  Real medium[16];  // 10^(32 j)
  Real large[10];   // 10^(512 k)

  PowersOfTen() {
    for (unsigned long i = 0; i < 32; ++i) mpfr_ui_pow_ui(*small[i], 10, i, MPFR_RNDN);
    for (unsigned long j = 0; j < 16; ++j) mpfr_ui_pow_ui(*medium[j], 10, 32 * j, MPFR_RNDN);
    for (unsigned long k = 0; k < 10; ++k) mpfr_ui_pow_ui(*large[k], 10, 512 * k, MPFR_RNDN);
  }
};

const PowersOfTen& Powers() {
  static const PowersOfTen powers;
  return powers;
}

void MultiplyOrDivide(mpfr_ptr x, mpfr_srcptr factor, bool multiply) {
  Denormalize(x, multiply ? mpfr_mul(x, x, factor, MPFR_RNDN) : mpfr_div(x, x, factor, MPFR_RNDN));
}

// x := x * 10^n in extended steps; the caller holds an ExtendedRange.
void Scale(mpfr_ptr x, long n) {
  const bool up = n > 0;
  const unsigned long m = up ? static_cast<unsigned long>(n) : static_cast<unsigned long>(-n);
  const int sign = mpfr_signbit(x) ? -1 : 1;
  if (m >= 5120) {
    if (!up || mpfr_zero_p(x)) {
      mpfr_set_zero(x, sign);
    } else {
      mpfr_set_inf(x, sign);
    }
    return;
  }
  const PowersOfTen& p = Powers();
  MultiplyOrDivide(x, *p.small[m % 32], up);
  if ((m / 32) % 16 != 0) MultiplyOrDivide(x, *p.medium[(m / 32) % 16], up);
  if (m >= 512) MultiplyOrDivide(x, *p.large[m / 512], up);
}

bool IsDigit(char c) { return '0' <= c && c <= '9'; }

// The 18 decimal digits of a value below 10^18, leading zeros included.
std::string EighteenDigits(unsigned long n) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%018lu", n);
  return buffer;
}

}  // namespace

std::string Utf8(char32_t c) { return utf8::Encode(c); }

ParseOutcome StrToFloat(std::string_view text, char32_t separator) {
  const std::string sep = Utf8(separator);
  const std::size_t size = text.size();
  std::size_t i = 0;
  const auto next_is_digit = [&] { return i < size && IsDigit(text[i]); };

  while (i < size && text[i] == ' ') ++i;
  bool minus = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';

  ExtendedRange range;
  Real a;
  const auto take_digit = [&] {
    Denormalize(*a, mpfr_mul_ui(*a, *a, 10, MPFR_RNDN));
    Denormalize(*a, mpfr_add_ui(*a, *a, static_cast<unsigned long>(text[i] - '0'), MPFR_RNDN));
    ++i;
  };

  bool numeric = false;
  while (next_is_digit()) {
    take_digit();
    numeric = true;
  }
  long long scale = 0;
  if (size - i >= sep.size() && text.substr(i, sep.size()) == sep) {
    i += sep.size();
    numeric = true;
    while (next_is_digit()) {
      take_digit();
      --scale;
    }
  }
  if (!numeric) return {};

  if (i < size && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exponent_minus = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) exponent_minus = text[i++] == '-';
    long long x = 0;
    while (next_is_digit()) {
      x = 10 * x + (text[i++] - '0');
      if (x >= 500) break;
    }
    scale += exponent_minus ? -x : x;
  }
  while (i < size && text[i] == ' ') ++i;
  if (i != size) return {};

  if (mpfr_inf_p(*a)) return {};
  if (scale <= -5120) {
    mpfr_set_zero(*a, 1);
  } else {
    Scale(*a, static_cast<long>(scale));
  }
  if (mpfr_inf_p(*a)) return {};
  if (minus) mpfr_neg(*a, *a, MPFR_RNDN);
  return {true, ToExtended(*a)};
}

StoreOutcome Store(Extended v) {
  // Works in MPFR's default exponent range, which holds every extended value.
  Real x;
  FromExtended(*x, v);
  if (mpfr_nan_p(*x)) return {false, mpfr_get_d(*x, MPFR_RNDN)};
  if (mpfr_inf_p(*x)) return {true, 0.0};
  if (mpfr_zero_p(*x)) return {false, mpfr_signbit(*x) ? -0.0 : 0.0};

  if (mpfr_get_exp(*x) >= -1021) {  // |x| >= 2^-1022: a normal double, 53 bits
    Real d(53);
    mpfr_set(*d, *x, MPFR_RNDN);
    if (mpfr_get_exp(*d) > 1024) return {true, 0.0};  // 2^1024 or more
    return {false, mpfr_get_d(*d, MPFR_RNDN)};
  }
  // Below it the double grid is the multiples of 2^-1074.
  Real units;
  mpfr_mul_2si(*units, *x, 1074, MPFR_RNDN);  // exact
  mpfr_roundeven(*units, *units);
  mpfr_mul_2si(*units, *units, -1074, MPFR_RNDN);  // exact
  return {false, mpfr_get_d(*units, MPFR_RNDN)};
}

Extended ScalePow10(Extended x, int n) {
  ExtendedRange range;
  Real r;
  FromExtended(*r, x);
  Scale(*r, n);
  return ToExtended(*r);
}

FloatDigits FloatToDigits(Extended v, int precision) {
  const int p = std::clamp(precision, 2, 18);
  const ExtendedBits b = v.Bits();
  FloatDigits record;
  if (b.BiasedExponent() == ExtendedBits::kExponentMask) {
    if (b.significand == ExtendedBits::kIntegerBit) {
      record.exponent = FloatDigits::kInfinity;
      record.negative = b.Negative();
    } else {
      record.exponent = FloatDigits::kNaN;
    }
    return record;
  }
  if (b.BiasedExponent() == 0) return record;

  const long e = b.BiasedExponent() - kBias;  // 2^e <= |v| < 2^(e+1)
  const long product = e * 19728;
  long exponent = product / 65536;
  if (product % 65536 != 0 && product < 0) --exponent;  // floor, not truncation
  exponent += 1;

  std::string digits;
  {
    ExtendedRange range;
    Real s;
    FromExtended(*s, v);
    mpfr_abs(*s, *s, MPFR_RNDN);
    Scale(*s, 18 - exponent);
    mpfr_roundeven(*s, *s);
    if (mpfr_cmp_ui(*s, 1000000000000000000ul) >= 0) {
      Denormalize(*s, mpfr_div_ui(*s, *s, 10, MPFR_RNDN));
      mpfr_roundeven(*s, *s);
      ++exponent;
    }
    digits = EighteenDigits(mpfr_get_ui(*s, MPFR_RNDN));
  }

  // Half up on the digit string, as a decimal number of p digits.
  std::string kept = digits.substr(0, static_cast<std::size_t>(p));
  if (p < 18 && digits[static_cast<std::size_t>(p)] >= '5') {
    unsigned long long up = std::stoull(kept) + 1;
    unsigned long long limit = 1;
    for (int i = 0; i < p; ++i) limit *= 10;
    if (up == limit) {
      kept = "1";
      ++exponent;
    } else {
      kept = std::to_string(up);
      kept.insert(0, static_cast<std::size_t>(p) - kept.size(), '0');
    }
  }
  kept.erase(kept.find_last_not_of('0') + 1);

  record.exponent = static_cast<std::int16_t>(exponent);
  record.negative = b.Negative();
  record.count = static_cast<std::uint8_t>(kept.size());
  std::copy(kept.begin(), kept.end(), record.digits);
  return record;
}

std::string FloatToStrF(Extended v, int precision, char32_t separator) {
  const int p = std::clamp(precision, 2, 18);
  const FloatDigits r = reference::FloatToDigits(v, p);
  if (r.exponent == FloatDigits::kNaN) return "NAN";
  const std::string sign = r.negative ? "-" : "";
  if (r.exponent == FloatDigits::kInfinity) return sign + "INF";

  const std::string sep = Utf8(separator);
  const std::string digits(r.Digits());
  const int x = r.exponent;
  if (digits.empty()) return "0";
  if (x > p || x < -3) {
    std::string mantissa = digits.substr(0, 1);
    if (digits.size() > 1) mantissa += sep + digits.substr(1);
    return sign + mantissa + "E" + std::to_string(x - 1);
  }
  if (x <= 0) return sign + "0" + sep + std::string(static_cast<std::size_t>(-x), '0') + digits;
  std::string whole = digits.substr(0, std::min(digits.size(), static_cast<std::size_t>(x)));
  whole.append(static_cast<std::size_t>(x) - whole.size(), '0');
  const std::string fraction = digits.size() > whole.size() ? digits.substr(whole.size()) : "";
  return sign + whole + (fraction.empty() ? "" : sep + fraction);
}

DecimalDigits ToDecimal(std::uint64_t significand, bool half, long exponent2, int count,
                        int direction) {
  Real x(66);
  mpfr_set_ui_2exp(*x, significand, exponent2, MPFR_RNDN);
  if (half) {
    Real h(66);
    mpfr_set_ui_2exp(*h, 1, exponent2 - 1, MPFR_RNDN);
    mpfr_add(*x, *x, *h, MPFR_RNDN);  // 66 bits hold it exactly
  }
  // An exact value k * 2^q with k below 2^66 has at most 30 + |q| digits.
  const std::size_t n = count > 0
                            ? static_cast<std::size_t>(count)
                            : static_cast<std::size_t>(30 + std::labs(exponent2 - 1) + 2 * 64);
  const mpfr_rnd_t rnd = direction == 0 ? MPFR_RNDN : direction < 0 ? MPFR_RNDZ : MPFR_RNDA;
  mpfr_exp_t exponent10 = 0;
  char* raw = mpfr_get_str(nullptr, &exponent10, 10, n, *x, rnd);
  DecimalDigits out{raw, static_cast<long>(exponent10)};
  mpfr_free_str(raw);
  if (count == 0) out.digits.erase(out.digits.find_last_not_of('0') + 1);
  return out;
}

}  // namespace optics::reference
