#pragma once

// A profile file in whichever encoding it came (text_encoding.h), held as an IniDocument of
// GBK text and written back in that same encoding.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/ini_document.h"
#include "runtime/text_encoding.h"

namespace velmora {

class EncodedProfile {
 public:
  EncodedProfile() = default;
  explicit EncodedProfile(std::string file_bytes);
  // An empty file that will be written in the encoding.
  explicit EncodedProfile(TextEncoding encoding) : encoding_(encoding) {}

  TextEncoding Encoding() const { return encoding_; }
  // The bytes of the file as read.
  const std::string& FileBytes() const;
  const IniDocument& Document() const { return document_; }
  IniDocument& Document() { return document_; }
  // The file with the document's changes, as pieces to be written one after another. A GBK
  // file's pieces point into the document; another's into storage, which must outlive them.
  std::vector<std::string_view> FilePieces(std::string& storage) const;

 private:
  TextEncoding encoding_ = TextEncoding::kGbk;
  std::string file_bytes_;  // only when not GBK: the document holds a GBK file's own bytes
  IniDocument document_;
};

}  // namespace velmora
