#include "numeric/application_title.h"

#include "numeric/utf8.h"

namespace optics {

namespace {

char32_t ToLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // Latin-1 capitals
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;            // full-width Ａ-Ｚ
  return c;
}

}  // namespace

std::string ApplicationTitle(std::string_view program_path) {
  std::string_view name = program_path;
  if (const auto slash = name.rfind('/'); slash != std::string_view::npos) {
    name.remove_prefix(slash + 1);
  }
  if (const auto dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);

  std::string title;
  std::size_t i = 0;
  bool first = true;
  while (i < name.size()) {
    const std::size_t start = i;
    char32_t c;
    if (utf8::Next(name, i, c)) {
      utf8::Append(title, first ? c : ToLower(c));
    } else {
      title += name[start];  // a byte that is no UTF-8 stays as it is
    }
    first = false;
  }
  return title;
}

}  // namespace optics
