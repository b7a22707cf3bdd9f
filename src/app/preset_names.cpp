#include "app/preset_names.h"

#include "app/data_paths.h"
#include "app/file_names.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

// "config" would name the Preset list's own file, config.ini: deleting that Preset would take
// the list with it.
bool NamesListFile(std::string_view name) { return FileNameIs(name, "config"); }

}  // namespace

bool IsUsablePresetName(std::string_view name) {
  // The Preset file's name ends in ".ini", so a dot at the end of the Preset name is kept;
  // "." and ".." would make hidden files.
  if (name.empty() || name == "." || name == ".." || NamesListFile(name)) return false;
  if (!PresetFileOf(name)) return false;
  if (!IsUsableFileName(std::string(name) + ".ini")) return false;
  // The profile reader strips blanks at the start of the stored list, so a first entry
  // beginning with one would come back under another name.
  if (name.front() == ' ' || name.back() == ' ') return false;
  // The stored list keeps entry texts unescaped: these would split or cut the entry, and
  // "#引号" would come back as a double quote.
  for (std::string_view separator : {"<|>", "<||>", "#引号"}) {
    if (FindText(name, separator) != -1) return false;
  }
  return true;
}

std::optional<std::string> PresetFileOf(std::string_view name) {
  // No file name holds more than 255 bytes, and the UTF-8 form of a GBK name is never shorter
  // than the name: a longer one, as a damaged list can hold, is not even converted.
  if (name.size() + 4 > 255) return std::nullopt;
  if (!name.empty() && (!IsUsableFileName(std::string(name) + ".ini") || NamesListFile(name)))
    return std::nullopt;
  return PresetFilePath(name);
}

}  // namespace velmora
