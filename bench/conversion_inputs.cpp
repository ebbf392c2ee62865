#include "conversion_inputs.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>


namespace optics::bench {
namespace {

constexpr std::uint64_t kSeed = 0x5EED'0F'1A'B5'0001ull;

// Draws from mt19937_64, whose output the standard fixes bit for bit (the
// standard distributions are not fixed), so every library makes the same set.
class Source {
 public:
  explicit Source(std::uint64_t seed) : engine_(seed) {}

  std::uint64_t Bits() { return engine_(); }
  double Unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }  // [0, 1)
  double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  int Int(int lo, int hi) {  // [lo, hi]
    return lo + static_cast<int>(engine_() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  bool Coin() { return (engine_() & 1u) != 0; }
  char Digit() { return static_cast<char>('0' + Int(0, 9)); }
  char NonZeroDigit() { return static_cast<char>('0' + Int(1, 9)); }

 private:
  std::mt19937_64 engine_;
};

std::string Fixed(double v, int decimals) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::string Significant(double v, int digits) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
  return std::string(buffer, static_cast<std::size_t>(n));
}

// What a user types into the fields: glass data, lengths, small constants,
// now and then a long value pasted from a result, now and then an exponent.
std::vector<std::string> MakeTexts() {
  std::vector<std::string> texts = {
      "1.51633", "64.15",     "-1500",       "2000.0",           "0.0013333",
      "653.3333", "1e-5",     "1.5138501509462527", "-0.136448", "5.05363E-12",
      "100",     "0.5",       "25.43",       "1.80518",          "-250.25",
      "3.14159265358979"};
  Source s(kSeed);
  while (texts.size() < kInputs) {
    std::string t;
    switch (s.Int(0, 9)) {
      case 0:
      case 1:  // a d-line index
        t = Fixed(s.Between(1.43, 2.0), s.Int(4, 6));
        break;
      case 2:  // an Abbe number
        t = Fixed(s.Between(17.0, 95.0), s.Int(1, 2));
        break;
      case 3:  // a focal length or radius in whole millimetres
        t = std::to_string(s.Int(-60, 60) * 50);
        if (s.Coin()) t += ".0";
        break;
      case 4:  // a length with a few decimals
        t = Fixed(s.Between(100.0, 1000.0), s.Int(2, 4));
        break;
      case 5:  // a small value written out
        t = Fixed(s.Between(1e-4, 1e-2), 7);
        break;
      case 6:  // a short exponent form: 1e-5, 2.5E3
        t += s.NonZeroDigit();
        if (s.Coin()) {
          t += '.';
          t += s.NonZeroDigit();
        }
        t += s.Coin() ? 'e' : 'E';
        t += std::to_string(s.Int(-12, 12));
        break;
      case 7:
      case 8:  // 15 to 17 significant digits, pasted from a result
        t = Significant(s.Between(-10.0, 10.0) * std::pow(10.0, s.Int(-3, 3)), s.Int(15, 17));
        break;
      default: {  // a long mantissa with an exponent anywhere in the double range
        if (s.Coin()) t += '-';
        t += s.NonZeroDigit();
        t += '.';
        for (int k = s.Int(4, 15); k > 0; --k) t += s.Digit();
        t += s.Coin() ? 'E' : 'e';
        t += std::to_string(s.Int(-300, 300));
        break;
      }
    }
    texts.push_back(std::move(t));
  }
  return texts;
}

// A result of a typical calculation, rounded to the double a field keeps.
double TypicalResult(Source& s) {
  const long double nd = s.Between(1.45, 1.95);
  const long double vd = s.Between(20.0, 90.0);
  switch (s.Int(0, 4)) {
    case 0:  // an index estimated from nd and vd
      return static_cast<double>(nd - (nd - 1) / vd * (0.6438L - 0.001682L * vd));
    case 1:  // a principal dispersion
      return static_cast<double>((nd - 1) / vd);
    case 2: {  // a conic constant
      const long double m = s.Between(2.0, 5.0);
      const long double b = s.Between(0.1, 0.5);
      return static_cast<double>(-1 - 2 * (1 + b) / (m * m * (m - b)));
    }
    case 3: {  // an aspheric sag coefficient
      const long double r = s.Between(400.0, 6000.0);
      return static_cast<double>((1 + s.Between(-1.5, 0.5)) / (8 * r * r * r));
    }
    default: {  // a radius of a doublet
      const long double f = s.Between(50.0, 2000.0);
      return static_cast<double>(f * (nd - 1) / s.Between(-3.0, 3.0));
    }
  }
}

// Values to show: typed values as the fields hold them, calculation results,
// and doubles spread over a wide range of exponents.
std::vector<double> MakeValues(const std::vector<std::string>& texts) {
  std::vector<double> values = {1.5138501509462527, -0.136448, 5.05363e-12, 1.51633, 64.15,
                                -1500.0, 2000.0, 0.0013333, 653.3333, 1e-5, 2.0 / 3.0};
  Source s(kSeed + 1);
  while (values.size() < kInputs) {
    switch (s.Int(0, 3)) {
      case 0:
        values.push_back(std::strtod(texts[s.Bits() % texts.size()].c_str(), nullptr));
        break;
      case 1:
        values.push_back(TypicalResult(s));
        break;
      default: {
        const double fraction = static_cast<double>(s.Bits() >> 12) * 0x1p-52;  // [0, 1)
        const double v = std::ldexp(1.0 + fraction, s.Int(-1000, 1000));
        values.push_back(s.Coin() ? -v : v);
        break;
      }
    }
  }
  return values;
}

}  // namespace

const Inputs& TheInputs() {
  static const Inputs inputs = [] {
    Inputs made;
    made.texts = MakeTexts();
    made.values = MakeValues(made.texts);
    return made;
  }();
  return inputs;
}

void RequireEveryText(bool (*parses)(const std::string&), const char* who) {
  for (const std::string& t : TheInputs().texts) {
    if (!parses(t)) {
      std::fprintf(stderr, "%s does not take the input \"%s\" whole\n", who, t.c_str());
      std::exit(2);
    }
  }
}

bool StrtoldTakesWhole(const std::string& text) {
  char* end = nullptr;
  (void)std::strtold(text.c_str(), &end);
  return *end == '\0';
}

}  // namespace optics::bench
