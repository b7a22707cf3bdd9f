#include "ui/layout_builder.h"

#include <unordered_map>
#include <utility>

namespace velmora {

LayoutEntry MakeEntry(ControlType type, std::string name, int left, int top, int width, int height,
                      unsigned flags, std::string text, std::string mark) {
  LayoutEntry entry;
  entry.type = type;
  entry.name = std::move(name);
  entry.left = left;
  entry.top = top;
  entry.width = width;
  entry.height = height;
  entry.flags = flags;
  entry.text = std::move(text);
  entry.mark = std::move(mark);
  return entry;
}

LayoutBuilder::LayoutBuilder(WindowKind kind, LayoutEntry window) {
  layout_.kind = kind;
  window.type = ControlType::kWindow;
  window.parent = 0;
  window.page = -1;
  layout_.entries.push_back(std::move(window));
  parents_.emplace_back();
}

LayoutEntry& LayoutBuilder::Add(LayoutEntry entry, std::string_view parent, int page) {
  entry.page = page;
  layout_.entries.push_back(std::move(entry));
  parents_.emplace_back(parent);
  return layout_.entries.back();
}

WindowLayout LayoutBuilder::Finish() {
  std::unordered_map<std::string, int> index_by_name;
  for (int i = 1; i < static_cast<int>(layout_.entries.size()); ++i) {
    index_by_name.emplace(layout_.entries[i].name, i);
  }
  for (std::size_t i = 1; i < layout_.entries.size(); ++i) {
    const auto found = index_by_name.find(parents_[i]);
    layout_.entries[i].parent = found == index_by_name.end() ? 0 : found->second;
  }
  return std::move(layout_);
}

}  // namespace velmora
