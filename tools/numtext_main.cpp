// numtext_probe: the conversion probe. Reads request lines on stdin (LF or
// CR LF), writes one answer line per request line on stdout, in order, and
// flushes after each; see numtext_request.h for the requests.
#include <cstdio>
#include <iostream>
#include <string>

#include "numeric/fpu_environment.h"
#include "numtext_request.h"

int main() {
  optics::EstablishArithmeticEnvironment();
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::cout << optics::numtext::AnswerLine(line) << '\n' << std::flush;
    if (!std::cout) return 1;
  }
  return 0;
}
