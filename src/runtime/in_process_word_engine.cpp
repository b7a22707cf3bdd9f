#include <string>
#include <utility>

#include "runtime/docx_writer.h"
#include "runtime/file_system.h"
#include "runtime/word_engine.h"

namespace velmora {

namespace {

// A document held as the text typed into it, written as a .docx when saved.
class InProcessDocument final : public WordDocument {
 public:
  void InsertText(int mode, std::string text) override {
    if (mode != 0) return;
    // The insertion point stays at the end, so typing appends.
    if (text_.empty()) {
      text_ = std::move(text);
    } else {
      text_ += text;
    }
  }

  FileResult SaveAs(std::string_view path) override {
    // The whole file is built before anything touches the disk, and replaces an earlier one in
    // a single rename, so a failed save never leaves a damaged document behind.
    std::string docx;
    if (!BuildDocx(text_, docx))
      return FailureOf("build the document for", NativePath(path), "the archive failed");
    return ReplaceFileAtomically(path, docx);
  }

 private:
  std::string text_;
};

class InProcessEngine final : public WordEngine {
 public:
  std::unique_ptr<WordDocument> AddDocument() override {
    return std::make_unique<InProcessDocument>();
  }
};

}  // namespace

std::unique_ptr<WordEngine> StartInProcessWordEngine() {
  return std::make_unique<InProcessEngine>();
}

}  // namespace velmora
