#pragma once

// The state behind ControlModel, shared by its source files.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/fatal_error.h"
#include "ui/control_model.h"

namespace velmora {

// What a live control holds beyond its layout entry.
struct ControlState {
  std::string text;  // caption, edit box text, window title
  // An edit box the user typed into: its view gives the current text when it is next read.
  std::function<std::string()> pending_text;
  bool checked = false;
  bool visible = false;  // remembered, whether or not the control is on screen
  int page = 0;          // tab control
  DateTime date = 0;     // date box
  ComboState items;      // combo box and list box entries with their selection
};

struct WindowState {
  WindowKind kind = WindowKind::kMain;
  const WindowLayout* layout = nullptr;
  bool loaded = false;
  bool shown = false;
  bool closing = false;
  bool modal = false;
  int disabled_count = 0;                  // modal windows that keep this one from input
  std::vector<WindowId> disabled_windows;  // the windows this modal window disabled
  std::vector<ControlState> controls;      // one per layout entry, [0] the window
};

// Looked up once per layout: the entry of each name and the number each mark reads as.
struct LayoutIndex {
  std::unordered_map<std::string, int> by_name;
  std::vector<std::int64_t> marks;
};
const LayoutIndex& IndexOf(WindowKind kind);

// A mark read as a decimal integer: optional blanks and sign, then digits up to the first
// other character; no digits read as 0. Saturates at the 32-bit limits.
std::int64_t MarkNumber(std::string_view mark);

enum class Access { kRead, kWrite };

struct ControlModel::Impl {
  explicit Impl(const Clock& clock_in) : clock(clock_in) {}

  const WindowState* FindWindow(WindowId window) const;
  WindowState* FindWindow(WindowId window);
  // The live state of the control; a control that has none ends the program with the fatal
  // error report, so callers never see a missing control.
  const ControlState& Live(const ControlRef& control, Access access) const;
  ControlState& Live(const ControlRef& control, Access access);
  // Live(), with a text the user typed taken over from the view first.
  const ControlState& Current(const ControlRef& control) const;
  void NotifyItems(const ControlRef& control, const ItemChange& change) const;
  const LayoutEntry& EntryOf(const ControlRef& control) const;
  FaultPlace PlaceOf(const ControlRef& control) const;
  void Notify(const ControlRef& control, Property property) const;
  // Runs the handler bound to the event of that entry, if any.
  void Raise(WindowId window, int control, int event) const;

  const Clock& clock;
  ModelObserver* observer = nullptr;
  ModalHost* modal_host = nullptr;
  std::map<HandlerId, Handler> handlers;
  std::map<WindowId, WindowState> windows;
  WindowId next_id = 1;
  int visual_style = 0;
  bool finished = false;
};

}  // namespace velmora
