// The .docx writer: for any text the document is a ZIP archive whose every part is well-formed
// XML.

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "runtime/docx_writer.h"

namespace {

bool IsNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
         c == '_' || c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// Balanced elements, quoted attributes, known entities and no markup in text: enough to catch a
// writer that forgets to escape or to close.
bool WellFormed(std::string_view xml) {
  std::vector<std::string_view> open;
  std::size_t i = 0;
  bool root_seen = false;
  while (i < xml.size()) {
    if (xml[i] == '&') {
      const std::size_t end = xml.find(';', i);
      if (end == std::string_view::npos) return false;
      const std::string_view entity = xml.substr(i + 1, end - i - 1);
      if (entity != "amp" && entity != "lt" && entity != "gt" && entity != "quot" &&
          entity != "apos" && !(entity.size() > 1 && entity[0] == '#'))
        return false;
      i = end + 1;
    } else if (xml[i] == '>') {
      return false;
    } else if (xml[i] != '<') {
      if (open.empty() && static_cast<unsigned char>(xml[i]) > 0x20) return false;
      ++i;
    } else if (xml.substr(i, 2) == "<?") {
      const std::size_t end = xml.find("?>", i);
      if (end == std::string_view::npos) return false;
      i = end + 2;
    } else {
      const bool closing = xml.substr(i, 2) == "</";
      std::size_t at = i + (closing ? 2 : 1);
      const std::size_t name_start = at;
      while (at < xml.size() && IsNameByte(xml[at])) ++at;
      const std::string_view name = xml.substr(name_start, at - name_start);
      if (name.empty()) return false;
      char quote = 0;
      while (at < xml.size() && (quote != 0 || (xml[at] != '>'))) {
        if (quote == 0 && (xml[at] == '"' || xml[at] == '\'')) {
          quote = xml[at];
        } else if (quote != 0 && xml[at] == quote) {
          quote = 0;
        } else if (xml[at] == '<') {
          return false;
        }
        ++at;
      }
      if (at == xml.size()) return false;
      const bool empty = xml[at - 1] == '/';
      if (closing) {
        if (open.empty() || open.back() != name) return false;
        open.pop_back();
      } else if (!empty) {
        if (open.empty() && root_seen) return false;
        open.push_back(name);
        root_seen = true;
      } else {
        root_seen = true;
      }
      i = at + 1;
    }
  }
  return open.empty() && root_seen;
}

// The parts that do not depend on the text come out the same every time: each is checked once,
// which leaves the fuzzer's time to the parts that do.
bool WellFormedPart(const std::string& part) {
  constexpr std::size_t kRememberedParts = 32;
  static std::set<std::string> checked;
  if (checked.contains(part)) return true;
  if (!WellFormed(part)) return false;
  if (checked.size() < kRememberedParts) checked.insert(part);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string docx;
  if (!velmora::BuildDocx(input, docx)) return 0;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(docx.data(), docx.size(), 0, &error);
  velmora::fuzz::Check(source != nullptr, "no source");
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  velmora::fuzz::Check(archive != nullptr, "the document is no ZIP archive");
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  velmora::fuzz::Check(count > 0, "the archive is empty");
  for (zip_int64_t entry = 0; entry < count; ++entry) {
    zip_stat_t stat;
    velmora::fuzz::Check(zip_stat_index(archive, entry, 0, &stat) == 0, "an entry has no size");
    std::string part(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, entry, 0);
    velmora::fuzz::Check(file != nullptr, "an entry cannot be opened");
    velmora::fuzz::Check(
        zip_fread(file, part.data(), part.size()) == static_cast<zip_int64_t>(part.size()),
        "an entry cannot be read");
    zip_fclose(file);
    const std::string_view name = zip_get_name(archive, entry, 0);
    if (name.ends_with(".xml") || name.ends_with(".rels")) {
      velmora::fuzz::Check(WellFormedPart(part), "a part is not well-formed XML");
    }
  }
  zip_discard(archive);
  zip_error_fini(&error);
  return 0;
}
