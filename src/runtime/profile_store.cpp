#include "runtime/profile_store.h"

#include "runtime/file_system.h"
#include "runtime/gbk_codec.h"
#include "runtime/text_ops.h"

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

// A name refused by the document, named in the cause with the file it was meant for.
FileResult RefusedName(const ProfileWrite& write, std::string_view file, bool others_made) {
  return FailureOf("store",
                   ConcatText({"[", GbkToUtf8(write.section), "] ", GbkToUtf8(write.key), " in ",
                               NativePath(file)}),
                   others_made ? "the name could not be read back; the other writes were made"
                               : "the name could not be read back");
}

}  // namespace

std::string ReadProfileText(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view default_value) {
  return ProfileSnapshot::Load(file).Read(section, key, default_value);
}

FileResult WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value) {
  return WriteProfileTexts(
      file, {ProfileWrite{std::string(section), std::string(key), std::string(value)}});
}

FileResult WriteProfileTexts(std::string_view file, const std::vector<ProfileWrite>& writes) {
  return ProfileSnapshot::Load(file).Write(writes);
}

ProfileSnapshot ProfileSnapshot::Load(std::string_view file) {
  ProfileSnapshot snapshot;
  // Writing takes the name as given; reading skips blanks before it.
  snapshot.file_ = std::string(file);
  file = SkipLeadingBlanks(file);
  snapshot.file_named_ = !file.empty();
  std::string bytes;
  if (snapshot.file_named_) {
    const FileResult read = ReadWholeFile(file, bytes);
    snapshot.readable_ = read.ok();
    if (snapshot.readable_) snapshot.profile_ = EncodedProfile(std::move(bytes));
    snapshot.read_result_ = read;
  }
  snapshot.existed_ = snapshot.readable_ || FileExists(file);
  return snapshot;
}

FileResult ProfileSnapshot::Write(const std::vector<ProfileWrite>& writes) && {
  // A missing file starts empty; one that exists but cannot be read is not overwritten.
  if (!readable_ && existed_) return read_result_;
  EncodedProfile profile = std::move(profile_);
  IniDocument& document = profile.Document();
  const ProfileWrite* refused = nullptr;
  bool any_set = false;
  for (const ProfileWrite& write : writes) {
    if (document.Set(write.section, write.key, write.borrowed_value.value_or(write.value))) {
      any_set = true;
    } else if (refused == nullptr) {
      refused = &write;
    }
  }
  // As one write after another: a rejected write leaves the file alone.
  if (!any_set) return refused ? RefusedName(*refused, file_, false) : FileResult::Success();
  // A file that already holds the new bytes needs no replacement, nor another trip to disk.
  std::string encoded;
  const std::vector<std::string_view> pieces = profile.FilePieces(encoded);
  FileResult replaced = HoldsPieces(profile.FileBytes(), pieces)
                            ? FileResult::Success()
                            : ReplaceFileAtomically(file_, pieces);
  if (refused == nullptr) return replaced;
  FileResult names = RefusedName(*refused, file_, replaced.ok());
  return FirstFailure(std::move(replaced), std::move(names));
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
  return profile_.Document().Find(section, key).value_or(default_value);
}

bool ProfileSnapshot::Blank() const {
  return SkipLeadingBlanks(profile_.Document().Source()).empty();
}

}  // namespace velmora
