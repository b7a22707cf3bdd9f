#pragma once

// Visual style 1 on the control windows of the view: how an existing control takes it when it
// is switched on, what each kind of control draws over the system's drawing under it, and the
// push button under the mouse, which shows it as the system's own buttons do.

#include "win32/system_headers.h"

#include "ui/control_types.h"

namespace velmora {

class StyledControls {
 public:
  bool on() const { return on_; }
  void SwitchOn() { on_ = true; }
  // A control window made before the style was switched on takes it.
  void Take(ControlType type, HWND handle) const;
  // A message of a control window under the style: true, with the result, when the style
  // answers it. Called from the control's subclass procedure.
  bool Answer(ControlType type, HWND handle, UINT message, WPARAM wparam, LPARAM lparam,
              LRESULT& result);
  // Owner drawing of a push button, or of a check box with the tick the model holds.
  void Draw(ControlType type, const DRAWITEMSTRUCT& item, bool checked, bool centred) const;
  // The control window is going.
  void Forget(HWND handle);

 private:
  bool on_ = false;
  HWND hot_button_ = nullptr;
};

}  // namespace velmora
