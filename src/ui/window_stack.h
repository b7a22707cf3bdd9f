#pragma once

// The windows by identifier: their kind and layout, whether they are loaded and shown, and which
// windows a modal window keeps from input. A closed window keeps its identifier, kind and layout,
// so that a stale reference still names its window in the fatal error report.

#include <map>
#include <string>
#include <vector>

#include "runtime/fatal_error.h"
#include "ui/control_ref.h"
#include "ui/layout.h"

namespace velmora {

class WindowStack {
 public:
  // The loaded window of that kind, or 0.
  WindowId LoadedOfKind(WindowKind kind) const;
  // A new window, loaded from here on but not shown yet.
  WindowId Open(WindowKind kind, bool modal);
  // A modal window keeps every other loaded window from input until it closes.
  void DisableOthers(WindowId window);
  void Show(WindowId window);  // shown when its layout says so
  // False when the window cannot be closed now: not loaded, kept from input by a modal window,
  // or already closing (its own `about to be destroyed` handler closes it again). Otherwise the
  // window is closing and the windows it disabled take input again.
  bool BeginClose(WindowId window);
  void FinishClose(WindowId window);
  // After a close: once no window is loaded the program has finished, for good.
  void NoteClosed();

  bool IsLoaded(WindowId window) const;
  bool Shown(WindowId window) const;
  // False while a modal window keeps this one from input (and when it is not loaded).
  bool WindowEnabled(WindowId window) const;
  WindowKind KindOf(WindowId window) const;
  const WindowLayout& LayoutOf(WindowId window) const;  // an empty layout for an unknown window
  // The window that takes user input: the newest modal window while one is open.
  WindowId ActiveWindow() const;
  // True once the last window has closed; the program then ends with exit code 0.
  bool Finished() const { return finished_; }

  // The layout entry of a control, an empty entry for a reference that names none.
  const LayoutEntry& Entry(const ControlRef& control) const;
  // The layout name of a control; for a window reference, the window's name.
  std::string Name(const ControlRef& control) const;
  // How the fatal error report names the window and the control of a reference.
  FaultPlace PlaceOf(const ControlRef& control) const;

 private:
  struct Window {
    WindowKind kind = WindowKind::kMain;
    const WindowLayout* layout = nullptr;
    bool loaded = false;
    bool shown = false;
    bool closing = false;
    bool modal = false;
    int disabled_count = 0;                  // modal windows that keep this one from input
    std::vector<WindowId> disabled_windows;  // the windows this modal window disabled
  };

  const Window* Find(WindowId window) const;
  Window* Find(WindowId window);

  // std::map keeps the records in place while handlers open further windows.
  std::map<WindowId, Window> windows_;
  WindowId next_id_ = 1;
  bool finished_ = false;
};

}  // namespace velmora
