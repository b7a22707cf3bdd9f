#pragma once

// The headless control model: windows loaded from the layout, controls addressed by reference,
// properties with their side effects, list and combo box operations, event binding and
// dispatch, and the user actions that a view or a script reports. Texts are GBK.
//
// The model is its four parts and what only the whole can do: loading and closing a window,
// which takes every part in turn, and the visual style. Callers reach the properties, entries
// and user actions of the control store, the searches of the query, and the window questions of
// the window stack through the model itself; the parts' own bookkeeping stays inside it.

#include "runtime/clock.h"
#include "ui/control_query.h"
#include "ui/control_ref.h"
#include "ui/control_store.h"
#include "ui/event_dispatch.h"
#include "ui/layout.h"
#include "ui/model_observer.h"
#include "ui/window_stack.h"

namespace velmora {

class ControlModel : private WindowStack,
                     private EventDispatch,
                     public ControlStore,
                     public ControlQuery {
 public:
  explicit ControlModel(const Clock& clock);
  ControlModel(const ControlModel&) = delete;
  ControlModel& operator=(const ControlModel&) = delete;

  using EventDispatch::SetHandler;
  using EventDispatch::SetModalHost;
  using EventDispatch::SetObserver;

  // Creates every control, raises `created` before the window shows; with modal set, other
  // windows take no input and the call returns only when the window has been closed.
  WindowId LoadWindow(WindowKind kind, bool modal);
  // The user asks to close the window: `about to be destroyed`, then the controls go.
  void UserClose(WindowId window);

  using WindowStack::ActiveWindow;
  using WindowStack::Entry;
  using WindowStack::Finished;
  using WindowStack::IsLoaded;
  using WindowStack::KindOf;
  using WindowStack::LayoutOf;
  using WindowStack::Name;
  using WindowStack::WindowEnabled;
  ControlRef WindowRef(WindowId window) const;

  // The window stack keeps a private Find of its own.
  using ControlQuery::Find;

  void SetVisualStyle(int style_number);
  int VisualStyle() const { return visual_style_; }  // 0 until switched on

 private:
  const Clock& clock_;
  int visual_style_ = 0;
};

}  // namespace velmora
