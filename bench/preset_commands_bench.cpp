#include <benchmark/benchmark.h>

#include <string>

#include "../tests/unit/preset_test_support.h"
#include "app/preset_commands.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

// A maximal window: all 39 Tags titled and ticked, every content 10 000 bytes with line
// breaks and quotes, saved once so that ReadPreset finds a full file.
void FillWindow(testing::ProgramHarness& harness) {
  std::string content;
  while (content.size() < 10000) content += "第一行内容\"引用\"\r\n";
  content.resize(10000);
  for (int n = 1; n <= 39; ++n) {
    harness.model().SetText(harness.Control("标签标题编辑框" + ToText(n)), "标题" + ToText(n));
    harness.model().SetText(harness.Control("标签内容编辑框" + ToText(n)), content);
    harness.model().SetChecked(harness.Control("标签选择框" + ToText(n)), true);
  }
  SavePreset(harness.app());
  harness.dialogs.shown.clear();
}

// The window as last saved: the files already hold what a save would write.
void BM_SavePreset(benchmark::State& state) {
  testing::ProgramHarness harness;
  harness.Start();
  FillWindow(harness);
  for (auto _ : state) {
    SavePreset(harness.app());
    harness.dialogs.shown.clear();
  }
}
BENCHMARK(BM_SavePreset)->Unit(benchmark::kMillisecond);

// One Tag content differs from the file at every save, so the Preset file is really replaced
// and made durable each time.
void BM_SavePresetChanged(benchmark::State& state) {
  testing::ProgramHarness harness;
  harness.Start();
  FillWindow(harness);
  const ControlRef box = harness.Control("标签内容编辑框20");
  std::string content = harness.model().Text(box);
  for (auto _ : state) {
    content[0] = content[0] == 'A' ? 'B' : 'A';
    harness.model().SetText(box, content);
    SavePreset(harness.app());
    harness.dialogs.shown.clear();
  }
}
BENCHMARK(BM_SavePresetChanged)->Unit(benchmark::kMillisecond);

void BM_ReadPreset(benchmark::State& state) {
  testing::ProgramHarness harness;
  harness.Start();
  FillWindow(harness);
  for (auto _ : state) ReadPreset(harness.app());
}
BENCHMARK(BM_ReadPreset)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
