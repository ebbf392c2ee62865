// The failure classes of the calculators. Every failure is one of these
// exceptions; each carries the exact text that the failure report shows
// (before the full stop of ReportText is added).
//
//   Exception
//   ├── EConvertError          a text that is no number
//   ├── EAbort                 the silent one: reported with no box
//   └── EExternal
//       └── EMathError
//           ├── EZeroDivide    "0 による浮動小数点数除算"
//           ├── EInvalidOp     "不正な浮動小数点数演算命令"
//           ├── EOverflow      "浮動小数点数のオーバーフロー"
//           └── EUnderflow     "浮動小数点数のアンダーフロー" (never raised)
//
// Messages are UTF-8.
#pragma once

#include <exception>
#include <string>

namespace optics {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class EAbort : public Exception {
 public:
  using Exception::Exception;
};

class EExternal : public Exception {
 public:
  using Exception::Exception;
};

class EMathError : public EExternal {
 public:
  using EExternal::EExternal;
};

class EZeroDivide : public EMathError {
 public:
  static constexpr const char* kMessage = "0 による浮動小数点数除算";
  EZeroDivide() : EMathError(kMessage) {}
};

class EInvalidOp : public EMathError {
 public:
  static constexpr const char* kMessage = "不正な浮動小数点数演算命令";
  EInvalidOp() : EMathError(kMessage) {}
};

class EOverflow : public EMathError {
 public:
  static constexpr const char* kMessage = "浮動小数点数のオーバーフロー";
  EOverflow() : EMathError(kMessage) {}
};

class EUnderflow : public EMathError {
 public:
  static constexpr const char* kMessage = "浮動小数点数のアンダーフロー";
  EUnderflow() : EMathError(kMessage) {}
};

// Throw helpers kept out of line so that the checked arithmetic stays small.
[[noreturn]] void ThrowZeroDivide();
[[noreturn]] void ThrowInvalidOp();
[[noreturn]] void ThrowOverflow();

}  // namespace optics
