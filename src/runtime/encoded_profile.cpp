#include "runtime/encoded_profile.h"

#include <utility>

namespace velmora {

EncodedProfile::EncodedProfile(std::string file_bytes) : encoding_(DetectTextEncoding(file_bytes)) {
  if (encoding_ == TextEncoding::kGbk) {
    document_ = IniDocument(std::move(file_bytes));
  } else {
    document_ = IniDocument(DecodeText(file_bytes, encoding_));
    file_bytes_ = std::move(file_bytes);
  }
}

const std::string& EncodedProfile::FileBytes() const {
  return encoding_ == TextEncoding::kGbk ? document_.Source() : file_bytes_;
}

std::vector<std::string_view> EncodedProfile::FilePieces(std::string& storage) const {
  std::vector<std::string_view> pieces = document_.Pieces();
  if (encoding_ == TextEncoding::kGbk) return pieces;
  std::string text;
  for (const std::string_view piece : pieces) text += piece;
  storage = EncodeText(text, encoding_);
  return {storage};
}

}  // namespace velmora
