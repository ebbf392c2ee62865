// JSON values, a strict parser and a compact writer (RFC 8259), for the
// tools that talk to the tests in JSON (the conversion probe, the window
// driver). Qt-free.
//
// Strings are held as UTF-8 byte strings. The parser keeps whatever bytes a
// string literal holds, even bytes that are not UTF-8; the writer turns each
// such byte into U+FFFD, so its output is always valid UTF-8 JSON. Objects
// keep their members in the order of the text, duplicates included.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace optics::json {

class Value;
using Array = std::vector<Value>;
using Member = std::pair<std::string, Value>;
using Object = std::vector<Member>;

// A number as the text gave it, with that text's nearest double.
struct Number {
  std::string text;  // a JSON number: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
  double value = 0;  // +-inf beyond the double range, +-0 below it

  bool operator==(const Number&) const = default;
};

class Value {
 public:
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };

  Value() = default;  // null
  Value(std::nullptr_t) {}                          // NOLINT(google-explicit-constructor)
  Value(bool b) : data_(b) {}                       // NOLINT(google-explicit-constructor)
  Value(const char* s) : data_(std::string(s)) {}  // NOLINT(google-explicit-constructor)
  Value(std::string s) : data_(std::move(s)) {}     // NOLINT(google-explicit-constructor)
  Value(Array a) : data_(std::move(a)) {}           // NOLINT(google-explicit-constructor)
  Value(Object o) : data_(std::move(o)) {}          // NOLINT(google-explicit-constructor)
  Value(Number n) : data_(std::move(n)) {}          // NOLINT(google-explicit-constructor)

  // A finite double, written as its shortest round-trip text:
  //   0.1 -> "0.1"    -0.0 -> "-0"    1e21 -> "1e+21"    2.0 -> "2"
  // Throws std::invalid_argument for an infinity or a NaN (JSON has none).
  Value(double d);  // NOLINT(google-explicit-constructor)

  // An integer, written in decimal:  -42 -> "-42". Character types are no
  // integers here: Value('a') does not compile.
  template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
             !std::same_as<T, char8_t> && !std::same_as<T, char16_t> &&
             !std::same_as<T, char32_t>)
  Value(T i) : data_(Number{std::to_string(i), static_cast<double>(i)}) {}  // NOLINT

  Kind kind() const { return static_cast<Kind>(data_.index()); }
  bool IsNull() const { return kind() == Kind::kNull; }
  bool IsBool() const { return kind() == Kind::kBool; }
  bool IsNumber() const { return kind() == Kind::kNumber; }
  bool IsString() const { return kind() == Kind::kString; }
  bool IsArray() const { return kind() == Kind::kArray; }
  bool IsObject() const { return kind() == Kind::kObject; }

  // The held value; each throws std::bad_variant_access for another kind.
  bool AsBool() const { return std::get<bool>(data_); }
  const Number& AsNumber() const { return std::get<Number>(data_); }
  const std::string& AsString() const { return std::get<std::string>(data_); }
  const Array& AsArray() const { return std::get<Array>(data_); }
  Array& AsArray() { return std::get<Array>(data_); }
  const Object& AsObject() const { return std::get<Object>(data_); }
  Object& AsObject() { return std::get<Object>(data_); }

  // The number's exact value when it is an integer in the int64 range,
  // judged from its text; nullopt otherwise and for every other kind.
  //   7 -> 7    7.0 -> 7    70e-1 -> 7    -0 -> 0    1E2 -> 100
  //   7.5 -> nullopt    9223372036854775808 -> nullopt    "7" -> nullopt
  std::optional<std::int64_t> ExactInteger() const;

  // The first member named key, or nullptr (also when this is no object).
  const Value* Find(std::string_view key) const;

  // Appends a member to an object (a null value becomes an empty object
  // first); throws std::bad_variant_access for any other kind.
  //   Value v; v.Add("a", 1); v.Add("b", "x");  -> {"a":1,"b":"x"}
  Value& Add(std::string key, Value value);

  // Same kind and same contents; numbers compare by text and value, so
  // 1.0 and 1 differ.
  bool operator==(const Value&) const = default;

 private:
  std::variant<std::monostate, bool, Number, std::string, Array, Object> data_;
};

// A text that is no JSON. what() is "<reason> at byte <offset>", the offset
// counted in bytes from 0.
class ParseError : public std::runtime_error {
 public:
  ParseError(const std::string& reason, std::size_t offset);
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Arrays and objects nested deeper than this fail to parse.
inline constexpr int kMaxDepth = 256;

// Parses one JSON text: a single value of any kind with optional whitespace
// (space, tab, LF, CR) around it. Strict: no comments, trailing commas,
// single quotes, leading zeros, "+", NaN or Infinity, and no raw control
// characters (U+0000 to U+001F) inside strings. "\uXXXX" escapes are
// decoded to UTF-8, surrogate pairs to one code point, and a surrogate
// escape without its partner to U+FFFD. Raw bytes in strings are kept as
// they are, UTF-8 or not. Time and memory are linear in the text's length.
//   "[1, \"a\"]"  -> an array of the number 1 and the string "a"
//   "\"\\ud83d\\ude00\"" -> "😀"       "\"\\ud800x\"" -> "\uFFFD" "x"
//   "[1,]" -> ParseError "expected a value at byte 3"
// Throws ParseError.
Value Parse(std::string_view text);

// Compact JSON on one line: no whitespace, members in their order, numbers
// as their text (a Number whose text is no JSON number is written from its
// value, or as null when that is not finite). In strings, '"' and '\' are
// escaped with a backslash, the control characters U+0000-U+001F, U+007F
// and U+0080-U+009F as \u00XX (lower-case hex), and every byte that is not
// part of valid UTF-8 becomes U+FFFD; everything else is written as UTF-8.
// Recurses once per level of nesting (any value Parse returns is fine).
//   {"a":[1,true,null],"b":"x\ny"} -> {"a":[1,true,null],"b":"x\u000ay"}
std::string Write(const Value& value);

}  // namespace optics::json
