#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/word_bridge.h"

namespace velmora {
namespace {

// A Tag content of about 10 KB: Chinese and ASCII mixed, a line break every few sentences.
std::string TagContent(int tag) {
  const std::string sentence = "第" + std::to_string(tag) + "项：合同条款 clause & <terms>，";
  std::string content;
  for (int i = 0; content.size() < 10 * 1024; ++i) {
    content += sentence;
    if (i % 6 == 5) content += "\r\n";
  }
  return content;
}

// The numbered document text of the export: title, CR LF, then CR LF, number, "." and the entry.
std::string NumberedDocumentText() {
  std::string text = "清单\r\n";
  for (int tag = 1; tag <= 39; ++tag) {
    text += "\r\n" + std::to_string(tag) + "." + TagContent(tag);
  }
  return text;
}

void BM_ExportThirtyNineTagsOfTenKilobytes(benchmark::State& state) {
  char folder_template[] = "/tmp/velmora_docx_bench_XXXXXX";
  const char* folder = mkdtemp(folder_template);
  if (!folder) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string text = NumberedDocumentText();
  const std::string path = std::string(folder) + "/清单.docx";
  for (auto _ : state) {
    WordApp app;
    WordDocuments documents;
    app.StartApplication();
    documents.AttachDocuments(app, true);
    documents.InsertText(0, text);
    if (!documents.SaveDocumentAs(path)) state.SkipWithError("save failed");
    documents.CloseDocument();
    app.QuitApplication();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportThirtyNineTagsOfTenKilobytes)->Unit(benchmark::kMillisecond)->Repetitions(10);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
