#include <benchmark/benchmark.h>

#include "runtime/clock.h"
#include "ui/control_model.h"

namespace velmora {
namespace {

// Loading the main window headless, without handlers: every control created with its layout
// values, then closed again so the next iteration loads afresh.
void BM_LoadMainWindow(benchmark::State& state) {
  const FixedClock clock(46037.4375);
  for (auto _ : state) {
    ControlModel model(clock);
    const WindowId window = model.LoadWindow(WindowKind::kMain, false);
    benchmark::DoNotOptimize(window);
  }
}
BENCHMARK(BM_LoadMainWindow);

class FindFixture : public benchmark::Fixture {
 public:
  FixedClock clock{46037.4375};
  ControlModel model{clock};
  ControlRef window;
  void SetUp(const benchmark::State&) override {
    window = model.WindowRef(model.LoadWindow(WindowKind::kMain, false));
  }
};

BENCHMARK_F(FindFixture, PrefixAndType)(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(model.FindControls(window, "标签", "选择框"));
  }
}

BENCHMARK_F(FindFixture, ExactName)(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(model.FindControls(window, "@标签选择框1"));
  }
}

BENCHMARK_F(FindFixture, All)(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(model.FindControls(window));
  }
}

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
