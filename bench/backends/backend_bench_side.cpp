// The cases of one back end (backend_bench_side.h). Each operation case
// runs one checked operation per iteration on the operands of
// normal_operands.h (the square root on the magnitude of the first): the
// throughput of that operation through Extended, its failure checks
// included. The conversions take the texts and
// values of conversion_inputs.h; the buttons press the real handlers of the
// three programs on the values their windows start with.
#include "backend_bench_side.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "conversion_inputs.h"
#include "normal_operands.h"
#include "corvale_form.h"
#include "numeric/decimal.h"
#include "numeric/extended.h"
#include "numeric/fpu_environment.h"
#include "numeric/power.h"
#include "ostrine_form.h"
#include "vandrel_form.h"

namespace optics::OPTICAL_BENCH_SIDE {
namespace {

using bench::kInputs;

struct Operands {
  std::vector<Extended> a, b;
  std::vector<Extended> magnitude;  // |a|, for the square root
};

const Operands& TheOperands() {
  static const Operands operands = [] {
    Operands made;
    for (const bench::OperandPair& p : bench::NormalOperandPairs()) {
      made.a.push_back(Extended::FromBits(p.a.sign_exponent, p.a.significand));
      made.b.push_back(Extended::FromBits(p.b.sign_exponent, p.b.significand));
      made.magnitude.push_back(Extended::FromBits(
          static_cast<std::uint16_t>(p.a.sign_exponent & ExtendedBits::kExponentMask),
          p.a.significand));
    }
    return made;
  }();
  return operands;
}

// The arithmetic as in a running calculator: the environment of start-up,
// with the inexact flag raised by an earlier rounded store.
void AsAfterACalculation() {
  EstablishArithmeticEnvironment();
  static volatile int three = 3;
  const double third = Double::Store(Extended(1) / Extended(three));
  benchmark::DoNotOptimize(third);
}

template <class Op>
void Operation(benchmark::State& state, Op op) {
  const Operands& in = TheOperands();
  AsAfterACalculation();
  std::size_t i = 0;
  for (auto _ : state) {
    auto r = op(in.a[i], in.b[i], in.magnitude[i]);
    benchmark::DoNotOptimize(r);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

#define OPTICAL_OPERATION(name, expression)                                   \
  void name(benchmark::State& state) {                                        \
    Operation(state, [](const Extended& a, const Extended& b, const Extended& m) { \
      (void)a;                                                                \
      (void)b;                                                                \
      (void)m;                                                                \
      return expression;                                                      \
    });                                                                       \
  }

OPTICAL_OPERATION(Add, Extended(a + b))
OPTICAL_OPERATION(Subtract, Extended(a - b))
OPTICAL_OPERATION(Multiply, Extended(a * b))
OPTICAL_OPERATION(Divide, Extended(a / b))
OPTICAL_OPERATION(SquareRoot, Extended(Sqrt(m)))
OPTICAL_OPERATION(Negate, Extended(-a))
OPTICAL_OPERATION(StoreToDouble, Double::Store(a))
OPTICAL_OPERATION(IntPower, IntPower(a, 3))
#undef OPTICAL_OPERATION

// One conversion per iteration, cycling through the inputs of
// conversion_inputs.h.
template <class Input, class Convert>
void Conversion(benchmark::State& state, const std::vector<Input>& inputs, Convert convert) {
  AsAfterACalculation();
  std::size_t i = 0;
  for (auto _ : state) {
    auto r = convert(inputs[i]);
    benchmark::DoNotOptimize(r);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void FromDouble(benchmark::State& state) {
  Conversion(state, bench::TheInputs().values, [](double v) { return Extended(v); });
}

void FromInt(benchmark::State& state) {
  AsAfterACalculation();
  int i = 0;
  for (auto _ : state) {
    Extended r(i * 7919 - 4000000);
    benchmark::DoNotOptimize(r);
    i = (i + 1) & 1023;
  }
  state.SetItemsProcessed(state.iterations());
}

void Parse(benchmark::State& state) {
  Conversion(state, bench::TheInputs().texts,
             [](const std::string& t) { return Double::Store(StrToFloat(t, U'.')); });
}

void Format15(benchmark::State& state) {
  Conversion(state, bench::TheInputs().values, [](double v) { return FloatToStr(v, U'.'); });
}

void Format7(benchmark::State& state) {
  Conversion(state, bench::TheInputs().values,
             [](double v) { return FloatToStrF(v, FloatFormat::ffGeneral, 7, 6, U'.'); });
}

// One press of a button on a form with the contents its window starts with;
// the memo the button writes to is emptied before each press, so that every
// press appends to the same short text.
template <class Form>
void Press(benchmark::State& state, Form& form, void (Form::*click)(), MemoText Form::*memo) {
  AsAfterACalculation();
  try {
    (form.*click)();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "the button failed on its start values: %s\n", e.what());
    std::exit(2);
  }
  for (auto _ : state) {
    (form.*memo).Clear();
    (form.*click)();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

template <class Form>
std::unique_ptr<Form> Started() {
  auto form = std::make_unique<Form>();
  form::LoadInitialContents(*form);
  return form;
}

void Vandrel(benchmark::State& state) {
  auto form = Started<vandrel::VandrelForm>();
  Press(state, *form, &vandrel::VandrelForm::Button1Click, &vandrel::VandrelForm::Memo1);
}

void CorvaleUpper(benchmark::State& state) {
  auto form = Started<corvale::CorvaleForm>();
  Press(state, *form, &corvale::CorvaleForm::Button1Click, &corvale::CorvaleForm::Memo1);
}

void CorvaleLower(benchmark::State& state) {
  auto form = Started<corvale::CorvaleForm>();
  form->Button1Click();  // the radii and the conic constants the lower button reads
  Press(state, *form, &corvale::CorvaleForm::Button2Click, &corvale::CorvaleForm::Memo2);
}

void Ostrine(benchmark::State& state) {
  auto form = Started<ostrine::OstrineForm>();
  Press(state, *form, &ostrine::OstrineForm::Button1Click, &ostrine::OstrineForm::Memo1);
}

bool OursTakesWhole(const std::string& text) {
  try {
    (void)Double::Store(StrToFloat(text, U'.'));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

std::vector<bench::BenchCase> Cases() {
  bench::RequireEveryText(OursTakesWhole, "StrToFloat");
  return {{"Add", Add},
          {"Subtract", Subtract},
          {"Multiply", Multiply},
          {"Divide", Divide},
          {"SquareRoot", SquareRoot},
          {"Negate", Negate},
          {"FromDouble", FromDouble},
          {"FromInt", FromInt},
          {"StoreToDouble", StoreToDouble},
          {"IntPower", IntPower},
          {"Parse", Parse},
          {"Format15", Format15},
          {"Format7", Format7},
          {"Vandrel", Vandrel},
          {"CorvaleUpper", CorvaleUpper},
          {"CorvaleLower", CorvaleLower},
          {"Ostrine", Ostrine}};
}

}  // namespace optics::OPTICAL_BENCH_SIDE
