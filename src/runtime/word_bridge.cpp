#include "runtime/word_bridge.h"

#include <utility>

#include "runtime/word_engine.h"

namespace velmora {

WordApp::WordApp() = default;
WordApp::~WordApp() = default;

bool WordApp::StartApplication() {
  engine_.reset();
  engine_ = StartInProcessWordEngine();
  return engine_ != nullptr;
}

void WordApp::QuitApplication() { engine_.reset(); }

WordDocuments::WordDocuments() = default;
WordDocuments::~WordDocuments() = default;

bool WordDocuments::AttachDocuments(WordApp& app, bool add_document) {
  document_.reset();
  if (!app.engine_ || !add_document) return false;
  document_ = app.engine_->AddDocument();
  return document_ != nullptr;
}

void WordDocuments::InsertText(int mode, std::string text) {
  if (document_) document_->InsertText(mode, std::move(text));
}

FileResult WordDocuments::SaveDocumentAs(std::string_view path) {
  if (!document_) return FileResult::Failure("cannot save a document that is not open");
  return document_->SaveAs(path);
}

bool WordDocuments::CloseDocument() {
  if (!document_) return false;
  document_.reset();
  return true;
}

}  // namespace velmora
