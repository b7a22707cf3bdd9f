#pragma once

// The word-processor bridge: the application object and the document collection that the
// export drives. The application is realised by an in-process document writer that saves
// Office Open XML (docx_writer.h); a realisation that drives an installed word processor can
// implement the same two classes.

#include <memory>
#include <string>
#include <string_view>

#include "runtime/file_result.h"

namespace velmora {

class WordEngine;    // the application behind WordApp
class WordDocument;  // one open document

class WordApp {
 public:
  WordApp();
  ~WordApp();
  WordApp(const WordApp&) = delete;
  WordApp& operator=(const WordApp&) = delete;

  // Releases any earlier application; true when the application was obtained.
  bool StartApplication();
  void QuitApplication();

 private:
  friend class WordDocuments;
  std::unique_ptr<WordEngine> engine_;
};

class WordDocuments {
 public:
  WordDocuments();
  ~WordDocuments();
  WordDocuments(const WordDocuments&) = delete;
  WordDocuments& operator=(const WordDocuments&) = delete;

  // False when there is no application or no new document could be added.
  bool AttachDocuments(WordApp& app, bool add_document);
  // Mode 0 types the GBK text at the insertion point; modes 1 and 2 and others do nothing here.
  // The text is taken by value: a document's whole text moves in without a copy.
  void InsertText(int mode, std::string text);
  // Saves the new document as a .docx at the GBK path. Succeeds only when the file is in place;
  // on failure nothing is left at the path (an earlier file there stays as it was).
  FileResult SaveDocumentAs(std::string_view path);
  // False when there is no document.
  bool CloseDocument();

 private:
  std::unique_ptr<WordDocument> document_;
};

}  // namespace velmora
