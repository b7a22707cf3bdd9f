#pragma once

// Where the model's changes go: the handlers the layout binds events to, the view that follows
// the model, and the host that runs modal windows.

#include <functional>
#include <map>

#include "ui/control_ref.h"
#include "ui/layout.h"
#include "ui/model_observer.h"
#include "ui/window_stack.h"

namespace velmora {

// What a handler learns of the event that runs it: the window it belongs to (the window whose
// control raised the event, or that raised it itself) and the argument of the layout's binding.
struct EventContext {
  WindowId window = 0;
  int argument = 0;
};

using Handler = std::function<void(const EventContext& event)>;

class EventDispatch {
 public:
  explicit EventDispatch(const WindowStack& windows) : windows_(windows) {}

  void SetHandler(HandlerId id, Handler handler);
  void SetObserver(ModelObserver* observer) { observer_ = observer; }
  void SetModalHost(ModalHost* host) { modal_host_ = host; }

  // Runs the handler bound to that event of the control, if its window is loaded and binds one.
  void Raise(const ControlRef& control, int event) const;
  void RunModal(WindowId window) const;

  void WindowCreated(WindowId window) const;
  void WindowShown(WindowId window) const;
  void WindowClosed(WindowId window) const;
  void Notify(const ControlRef& control, Property property) const;
  void NotifyItems(const ControlRef& control, const ItemChange& change) const;
  void VisualStyleChanged(int style_number) const;

 private:
  const WindowStack& windows_;
  std::map<HandlerId, Handler> handlers_;
  ModelObserver* observer_ = nullptr;
  ModalHost* modal_host_ = nullptr;
};

}  // namespace velmora
