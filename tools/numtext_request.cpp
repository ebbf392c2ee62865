#include "numtext_request.h"

#include <limits>
#include <optional>
#include <typeinfo>

#include "bit_patterns.h"
#include "json/json.h"
#include "numeric/decimal.h"
#include "numeric/exceptions.h"
#include "numeric/extended.h"
#include "numeric/fpu_environment.h"
#include "numeric/power.h"
#include "numeric/utf8.h"

namespace optics::numtext {
namespace {

// A line that is no valid request; message says why.
struct BadRequest {
  std::string message;
};

std::string Quoted(std::string_view name) { return "member \"" + std::string(name) + "\""; }

// The member named name, or nullptr when absent.
const json::Value* Optional(const json::Value& request, std::string_view name) {
  const json::Value* found = nullptr;
  for (const json::Member& m : request.AsObject()) {
    if (m.first != name) continue;
    if (found) throw BadRequest{Quoted(name) + " appears more than once"};
    found = &m.second;
  }
  return found;
}

const json::Value& Required(const json::Value& request, std::string_view name) {
  const json::Value* v = Optional(request, name);
  if (!v) throw BadRequest{"missing " + Quoted(name)};
  return *v;
}

const std::string& AsString(const json::Value& v, std::string_view name) {
  if (!v.IsString()) throw BadRequest{Quoted(name) + " must be a string"};
  return v.AsString();
}

Extended ExtendedMember(const json::Value& v, std::string_view name) {
  const std::string& hex = AsString(v, name);
  if (hex.size() != kExtendedHexDigits) {
    throw BadRequest{Quoted(name) +
                     " must be exactly 20 hex digits (sign and exponent, then the significand)"};
  }
  const auto value = ExtendedFromHex(hex);
  if (!value) throw BadRequest{Quoted(name) + " has a character that is not a hex digit"};
  return *value;
}

double DoubleMember(const json::Value& v, std::string_view name) {
  const std::string& hex = AsString(v, name);
  if (hex.size() != kDoubleHexDigits) {
    throw BadRequest{Quoted(name) + " must be exactly 16 hex digits (the bits of a double)"};
  }
  const auto value = DoubleFromHex(hex);
  if (!value) throw BadRequest{Quoted(name) + " has a character that is not a hex digit"};
  return *value;
}

char32_t Separator(const json::Value& request) {
  const json::Value* v = Optional(request, "sep");
  if (!v) return U'.';
  const std::string& s = AsString(*v, "sep");
  std::size_t i = 0;
  char32_t c = 0;
  if (s.empty() || !utf8::Next(s, i, c) || i != s.size()) {
    throw BadRequest{Quoted("sep") + " must be exactly one character"};
  }
  return c;
}

std::optional<int> Precision(const json::Value& request) {
  const json::Value* v = Optional(request, "precision");
  if (!v) return std::nullopt;
  if (!v->IsNumber()) throw BadRequest{Quoted("precision") + " must be a number"};
  const auto p = v->ExactInteger();
  if (!p || *p < std::numeric_limits<int>::min() || *p > std::numeric_limits<int>::max()) {
    throw BadRequest{Quoted("precision") + " must be an integer in the int range"};
  }
  return static_cast<int>(*p);
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

json::Value Failure(std::string error, std::string message) {
  json::Value answer;
  answer.Add("error", std::move(error));
  answer.Add("message", std::move(message));
  return answer;
}

json::Value ParseOp(const json::Value& request) {
  const std::string& text = AsString(Required(request, "text"), "text");
  const char32_t separator = Separator(request);
  const Extended v = StrToFloat(text, separator);
  json::Value answer;
  answer.Add("extended", ExtendedHex(v));
  try {
    answer.Add("double", DoubleHex(Double::Store(v)));
  } catch (const EOverflow& e) {
    EstablishArithmeticEnvironment();
    answer.Add("double_error", "EOverflow");
    answer.Add("message", e.Message());
  }
  return answer;
}

json::Value FormatOp(const json::Value& request) {
  const json::Value* as_double = Optional(request, "double");
  const json::Value* as_extended = Optional(request, "extended");
  if (as_double && as_extended) {
    throw BadRequest{"give either member \"double\" or member \"extended\", not both"};
  }
  if (!as_double && !as_extended) throw BadRequest{"missing member \"double\" or \"extended\""};
  const Extended v = as_double ? Extended(DoubleMember(*as_double, "double"))
                               : Extended(ExtendedMember(*as_extended, "extended"));
  const std::optional<int> precision = Precision(request);
  const char32_t separator = Separator(request);
  json::Value answer;
  answer.Add("text", precision ? FloatToStrF(v, FloatFormat::ffGeneral, *precision, 0, separator)
                               : FloatToStr(v, separator));
  return answer;
}

json::Value PowerOp(const json::Value& request) {
  const Extended base = ExtendedMember(Required(request, "base"), "base");
  const Extended exponent = ExtendedMember(Required(request, "exponent"), "exponent");
  json::Value answer;
  answer.Add("extended", ExtendedHex(Power(base, exponent)));
  return answer;
}

json::Value Answer(std::string_view line) {
  if (line.empty()) throw BadRequest{"empty line: expected a JSON object with an \"op\""};
  json::Value request;
  try {
    request = json::Parse(line);
  } catch (const json::ParseError& e) {
    throw BadRequest{std::string("not valid JSON: ") + e.what()};
  }
  if (!request.IsObject()) throw BadRequest{"a request must be a JSON object"};
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
  json::Value answer;
  try {
    answer = Answer(line);
  } catch (const BadRequest& e) {
    answer = Failure("bad request", e.message);
  } catch (const std::exception& e) {
    EstablishArithmeticEnvironment();
    answer = Failure("internal error", std::string(typeid(e).name()) + ": " + e.what());
  }
  return json::Write(answer);
}

}  // namespace optics::numtext
