#pragma once

// INI profile files as Windows programs write them: GBK bytes, CR LF line ends (LF accepted on
// reading), no byte-order mark; a file saved by hand as UTF-16LE or UTF-8 is read as GBK text
// and written back in its own encoding (text_encoding.h). Names match without regard to the
// case of ASCII letters; the first section and the first key of a name win.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/encoded_profile.h"
#include "runtime/file_result.h"

namespace velmora {

std::string ReadProfileText(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view default_value = {});
// Values are stored so that the reader returns them exactly: one enclosing in double quotes
// keeps blanks at either end and quotes around the whole value; a value is cut at its first
// line break, where any reader would stop. Fails, changing nothing, when the file cannot be
// written (missing folder, a folder standing at its name) or a name could not be read back.
FileResult WriteProfileText(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value);

struct ProfileWrite {
  std::string section;
  std::string key;
  std::string value;
  // When set, written instead of value without a copy: the caller keeps the text alive and
  // unchanged until the write has returned. For texts that may run long.
  std::optional<std::string_view> borrowed_value = std::nullopt;
};
// The writes one after another, applied with one read and one atomic replacement of the file.
// As with single writes, a name that could not be read back is refused and the others are
// made: the result then fails with a cause that names the refused name and says so.
FileResult WriteProfileTexts(std::string_view file, const std::vector<ProfileWrite>& writes);

// A file read once for many lookups; Read answers exactly as ReadProfileText would. A missing
// or unreadable file answers every lookup with its default.
class ProfileSnapshot {
 public:
  static ProfileSnapshot Load(std::string_view file);
  // Applies the writes to the file as it was read, as WriteProfileTexts would, without reading
  // or parsing it again. The snapshot is used up.
  FileResult Write(const std::vector<ProfileWrite>& writes) &&;
  // The file as read: whether it was there, whether it could be read, and its bytes.
  const std::string& File() const { return file_; }
  bool Existed() const { return existed_; }
  bool Readable() const { return readable_; }
  const std::string& Bytes() const { return profile_.FileBytes(); }
  TextEncoding Encoding() const { return profile_.Encoding(); }
  // Whether the file holds nothing but blanks, and whether it has a section of that name.
  bool Blank() const;
  bool HasSection(std::string_view section) const {
    return profile_.Document().HasSection(section);
  }
  // Forgets what was read, so that a write makes a file of its own writes alone, in the
  // encoding the file came in. For a file whose content means nothing to the program.
  void StartAfresh() { profile_ = EncodedProfile(profile_.Encoding()); }
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view default_value = {}) const;
  // The same without a copy: a view into the snapshot (or of the default), valid as long as
  // both are.
  std::string_view ReadView(std::string_view section, std::string_view key,
                            std::string_view default_value = {}) const;

 private:
  std::string file_;
  bool file_named_ = false;  // an empty file name reads as the empty text, not the default
  bool existed_ = false;
  bool readable_ = false;
  FileResult read_result_ = FileResult::Success();  // why a file that exists could not be read
  EncodedProfile profile_;
};

}  // namespace velmora
