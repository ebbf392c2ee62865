// The inputs of the conversion benchmarks, made once from a fixed seed:
// 1024 texts as users type them (glass indices, Abbe numbers, lengths such as
// "-1500" and "2000.0", small values written out, short exponent forms such
// as "1e-5", pasted values of 15 to 17 digits, long mantissas with exponents
// up to +-300) and 1024 values to show (typed values as the fields hold them,
// results of typical calculations, doubles over binary exponents -1000 ...
// 1000).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace optics::bench {

inline constexpr std::size_t kInputs = 1024;  // a power of two: an index wraps with a mask

struct Inputs {
  std::vector<std::string> texts;
  std::vector<double> values;
};

const Inputs& TheInputs();

// Exits with status 2, naming who and the text, when parses is false for one
// of the texts: a comparison on texts that a parser refuses would be void.
void RequireEveryText(bool (*parses)(const std::string&), const char* who);

// Whether glibc's strtold reads the whole text.
bool StrtoldTakesWhole(const std::string& text);

}  // namespace optics::bench
