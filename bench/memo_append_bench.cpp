// A press of Ostrine's button on the real window (Qt's offscreen platform):
// the calculation, the fourteen appended lines shown in the memo, and the
// events that follow, with few and with many earlier blocks in the memo.
// The two must cost about the same: an append never depends on what the memo
// already holds.
#include <QAbstractButton>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include "ostrine_form.h"
#include "ui/calculator_window.h"
#include "ui/startup.h"

namespace {

optics::ui::Application* g_app = nullptr;

void Press(QAbstractButton* button) {
  button->click();
  QCoreApplication::processEvents();
}

void BM_OstrinePressAfterBlocks(benchmark::State& state) {
  optics::ostrine::OstrineForm form;
  optics::form::LoadInitialContents(form);
  optics::ui::CalculatorWindow window(form, *g_app);
  window.ShowAtDesignedPlace();
  auto* button = qobject_cast<QAbstractButton*>(window.Control("Button1"));
  for (int64_t i = 0; i < state.range(0); ++i) Press(button);
  for (auto _ : state) Press(button);
  state.counters["memo_bytes"] = static_cast<double>(form.Memo1.Text().size());
}
BENCHMARK(BM_OstrinePressAfterBlocks)->Arg(10)->Arg(5000)->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  optics::ui::Startup start(argc, argv, "memo_append_bench");
  g_app = &start.App();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
