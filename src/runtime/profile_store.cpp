#include "runtime/profile_store.h"

#include "runtime/file_system.h"

namespace velmora {
namespace {

std::string_view SkipLeadingBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  return text;
}

bool HoldsPieces(std::string_view bytes, const std::vector<std::string_view>& pieces) {
  for (const std::string_view piece : pieces) {
    if (bytes.substr(0, piece.size()) != piece) return false;
    bytes.remove_prefix(piece.size());
  }
  return bytes.empty();
}

}  // namespace

std::string ReadProfileText(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view default_value) {
  return ProfileSnapshot::Load(file).Read(section, key, default_value);
}

bool WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value) {
  return WriteProfileTexts(
      file, {ProfileWrite{std::string(section), std::string(key), std::string(value)}});
}

bool WriteProfileTexts(std::string_view file, const std::vector<ProfileWrite>& writes) {
  return ProfileSnapshot::Load(file).Write(writes);
}

ProfileSnapshot ProfileSnapshot::Load(std::string_view file) {
  ProfileSnapshot snapshot;
  // Writing takes the name as given; reading skips blanks before it.
  snapshot.file_ = std::string(file);
  file = SkipLeadingBlanks(file);
  snapshot.file_named_ = !file.empty();
  std::string bytes;
  if (snapshot.file_named_ && ReadWholeFile(file, bytes)) {
    snapshot.readable_ = true;
    snapshot.document_ = IniDocument(std::move(bytes));
  }
  snapshot.existed_ = snapshot.readable_ || FileExists(file);
  return snapshot;
}

bool ProfileSnapshot::Write(const std::vector<ProfileWrite>& writes) && {
  // A missing file starts empty; one that exists but cannot be read is not overwritten.
  if (!readable_ && existed_) return false;
  IniDocument document = std::move(document_);
  bool all_set = true;
  bool any_set = false;
  for (const ProfileWrite& write : writes) {
    const bool set =
        document.Set(write.section, write.key, write.borrowed_value.value_or(write.value));
    all_set = all_set && set;
    any_set = any_set || set;
  }
  // As one write after another: a rejected write leaves the file alone.
  if (!any_set) return writes.empty();
  // A file that already holds the new bytes needs no replacement, nor another trip to disk.
  const std::vector<std::string_view> pieces = document.Pieces();
  if (HoldsPieces(document.Source(), pieces)) return all_set;
  return ReplaceFileAtomically(file_, pieces) && all_set;
}

std::string ProfileSnapshot::Read(std::string_view section, std::string_view key,
                                  std::string_view default_value) const {
  return std::string(ReadView(section, key, default_value));
}

std::string_view ProfileSnapshot::ReadView(std::string_view section, std::string_view key,
                                           std::string_view default_value) const {
  section = SkipLeadingBlanks(section);
  key = SkipLeadingBlanks(key);
  if (!file_named_ || section.empty() || key.empty()) return {};
  return document_.Find(section, key).value_or(default_value);
}

}  // namespace velmora
