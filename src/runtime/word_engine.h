#pragma once

// What the bridge needs of a word processor: an application that adds documents, and documents
// that take typed text and save themselves. The in-process realisation writes .docx files
// itself; one that drives an installed word processor would implement the same two classes.

#include <memory>
#include <string>
#include <string_view>

#include "runtime/file_result.h"

namespace velmora {

// Destroying a document closes it without saving.
class WordDocument {
 public:
  virtual ~WordDocument() = default;
  // Mode 0 types the GBK text at the insertion point; what other modes do is up to the engine.
  virtual void InsertText(int mode, std::string text) = 0;
  // Succeeds only when the document is in place at the GBK path.
  virtual FileResult SaveAs(std::string_view path) = 0;
};

class WordEngine {
 public:
  virtual ~WordEngine() = default;
  // A new empty document, or null when none could be added.
  virtual std::unique_ptr<WordDocument> AddDocument() = 0;
};

// The in-process engine; never fails.
std::unique_ptr<WordEngine> StartInProcessWordEngine();

}  // namespace velmora
