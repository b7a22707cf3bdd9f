#include <benchmark/benchmark.h>

#include <string>

#include "../tests/unit/preset_test_support.h"
#include "app/document_export.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

// The whole export command as the user runs it: 39 ticked Tags of 10 KB each, numbered,
// the question and the done message answered OK, the earlier document replaced.
void BM_ExportCommandThirtyNineTags(benchmark::State& state) {
  testing::ProgramHarness harness;
  harness.Start();
  std::string content;
  while (content.size() < 10 * 1024) content += "合同条款 clause & <terms>，第一行\r\n";
  for (int n = 1; n <= 39; ++n) {
    harness.model().SetText(harness.Control("标签标题编辑框" + ToText(n)), "标题" + ToText(n));
    harness.model().SetText(harness.Control("标签内容编辑框" + ToText(n)), content);
    harness.app().model.AddItem(harness.Control("列表框1"), content);
  }
  harness.model().SetChecked(harness.Control("序号选择框"), true);
  harness.app().numbering_flag = 1;
  for (auto _ : state) {
    ExportDocument(harness.app());
    harness.dialogs.shown.clear();
  }
  if (!harness.ReadFile("清单.docx")) state.SkipWithError("no document written");
}
BENCHMARK(BM_ExportCommandThirtyNineTags)->Unit(benchmark::kMillisecond)->Repetitions(10);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
