#include "numtext_request.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <typeinfo>

#include "bit_patterns.h"
#include "json_lines/json_lines.h"
#include "numeric/decimal.h"
#include "numeric/exceptions.h"
#include "numeric/extended.h"
#include "numeric/fpu_environment.h"
#include "numeric/power.h"
#include "numeric/utf8.h"

namespace optics::numtext {
namespace {

using json_lines::Json;

// A line that is no valid request; message says why.
struct BadRequest {
  std::string message;
};

std::string Quoted(std::string_view name) { return "member \"" + std::string(name) + "\""; }

// The member named name, or nullptr when absent. The request keeps every
// member of its text, a name given twice included.
const Json* Optional(const Json& request, std::string_view name) {
  const Json* found = nullptr;
  for (const auto& [key, value] : request.get_ref<const Json::object_t&>()) {
    if (key != name) continue;
    if (found) throw BadRequest{Quoted(name) + " appears more than once"};
    found = &value;
  }
  return found;
}

const Json& Required(const Json& request, std::string_view name) {
  const Json* v = Optional(request, name);
  if (!v) throw BadRequest{"missing " + Quoted(name)};
  return *v;
}

const std::string& AsString(const Json& v, std::string_view name) {
  if (!v.is_string()) throw BadRequest{Quoted(name) + " must be a string"};
  return v.get_ref<const std::string&>();
}

Extended ExtendedMember(const Json& v, std::string_view name) {
  const std::string& hex = AsString(v, name);
  if (hex.size() != kExtendedHexDigits) {
    throw BadRequest{Quoted(name) +
                     " must be exactly 20 hex digits (sign and exponent, then the significand)"};
  }
  const auto value = ExtendedFromHex(hex);
  if (!value) throw BadRequest{Quoted(name) + " has a character that is not a hex digit"};
  return *value;
}

double DoubleMember(const Json& v, std::string_view name) {
  const std::string& hex = AsString(v, name);
  if (hex.size() != kDoubleHexDigits) {
    throw BadRequest{Quoted(name) + " must be exactly 16 hex digits (the bits of a double)"};
  }
  const auto value = DoubleFromHex(hex);
  if (!value) throw BadRequest{Quoted(name) + " has a character that is not a hex digit"};
  return *value;
}

char32_t Separator(const Json& request) {
  const Json* v = Optional(request, "sep");
  if (!v) return U'.';
  const std::string& s = AsString(*v, "sep");
  std::size_t i = 0;
  char32_t c = 0;
  if (s.empty() || !utf8::Next(s, i, c) || i != s.size()) {
    throw BadRequest{Quoted("sep") + " must be exactly one character"};
  }
  return c;
}

// The reading holds a number as an integer exactly when its text denotes one
// (7, 7.0, 70e-1), so 7.0000000000000000001 is no integer here.
std::optional<int> Precision(const Json& request) {
  const Json* v = Optional(request, "precision");
  if (!v) return std::nullopt;
  if (!v->is_number()) throw BadRequest{Quoted("precision") + " must be a number"};
  const auto in_range = [&] {
    if (v->is_number_unsigned()) return v->get<std::uint64_t>() <= std::numeric_limits<int>::max();
    if (!v->is_number_integer()) return false;
    const auto p = v->get<std::int64_t>();
    return p >= std::numeric_limits<int>::min() && p <= std::numeric_limits<int>::max();
  };
  if (!in_range()) throw BadRequest{Quoted("precision") + " must be an integer in the int range"};
  return static_cast<int>(v->get<std::int64_t>());
}

// The name of the failure class, most derived first.
const char* ClassName(const Exception& e) {
  if (dynamic_cast<const EZeroDivide*>(&e)) return "EZeroDivide";
  if (dynamic_cast<const EInvalidOp*>(&e)) return "EInvalidOp";
  if (dynamic_cast<const EOverflow*>(&e)) return "EOverflow";
  if (dynamic_cast<const EUnderflow*>(&e)) return "EUnderflow";
  if (dynamic_cast<const EMathError*>(&e)) return "EMathError";
  if (dynamic_cast<const EExternal*>(&e)) return "EExternal";
  if (dynamic_cast<const EConvertError*>(&e)) return "EConvertError";
  if (dynamic_cast<const EAbort*>(&e)) return "EAbort";
  return "Exception";
}

Json Failure(std::string error, std::string message) {
  Json answer;
  answer["error"] = std::move(error);
  answer["message"] = std::move(message);
  return answer;
}

Json ParseOp(const Json& request) {
  const std::string& text = AsString(Required(request, "text"), "text");
  const char32_t separator = Separator(request);
  const Extended v = StrToFloat(text, separator);
  Json answer;
  answer["extended"] = ExtendedHex(v);
  try {
    answer["double"] = DoubleHex(Double::Store(v));
  } catch (const EOverflow& e) {
    EstablishArithmeticEnvironment();
    answer["double_error"] = "EOverflow";
    answer["message"] = e.Message();
  }
  return answer;
}

Json FormatOp(const Json& request) {
  const Json* as_double = Optional(request, "double");
  const Json* as_extended = Optional(request, "extended");
  if (as_double && as_extended) {
    throw BadRequest{"give either member \"double\" or member \"extended\", not both"};
  }
  if (!as_double && !as_extended) throw BadRequest{"missing member \"double\" or \"extended\""};
  const Extended v = as_double ? Extended(DoubleMember(*as_double, "double"))
                               : Extended(ExtendedMember(*as_extended, "extended"));
  const std::optional<int> precision = Precision(request);
  const char32_t separator = Separator(request);
  Json answer;
  answer["text"] = precision ? FloatToStrF(v, FloatFormat::ffGeneral, *precision, 0, separator)
                             : FloatToStr(v, separator);
  return answer;
}

Json PowerOp(const Json& request) {
  const Extended base = ExtendedMember(Required(request, "base"), "base");
  const Extended exponent = ExtendedMember(Required(request, "exponent"), "exponent");
  Json answer;
  answer["extended"] = ExtendedHex(Power(base, exponent));
  return answer;
}

Json Answer(std::string_view line) {
  if (line.empty()) throw BadRequest{"empty line: expected a JSON object with an \"op\""};
  Json request;
  try {
    request = json_lines::ReadJsonLine(line);
  } catch (const json_lines::LineError& e) {
    throw BadRequest{std::string("not valid JSON: ") + e.what()};
  }
  if (!request.is_object()) throw BadRequest{"a request must be a JSON object"};
  const std::string& op = AsString(Required(request, "op"), "op");
  try {
    if (op == "parse") return ParseOp(request);
    if (op == "format") return FormatOp(request);
    if (op == "power") return PowerOp(request);
  } catch (const Exception& e) {
    EstablishArithmeticEnvironment();
    return Failure(ClassName(e), e.Message());
  }
  throw BadRequest{"unknown op \"" + op + "\" (expected \"parse\", \"format\" or \"power\")"};
}

}  // namespace

std::string AnswerLine(std::string_view line) {
  Json answer;
  try {
    answer = Answer(line);
  } catch (const BadRequest& e) {
    answer = Failure("bad request", e.message);
  } catch (const std::exception& e) {
    EstablishArithmeticEnvironment();
    answer = Failure("internal error", std::string(typeid(e).name()) + ": " + e.what());
  }
  return json_lines::WriteJsonLine(std::move(answer));
}

}  // namespace optics::numtext
