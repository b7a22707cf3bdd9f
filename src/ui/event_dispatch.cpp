#include "ui/event_dispatch.h"

#include <utility>

namespace velmora {

void EventDispatch::SetHandler(HandlerId id, Handler handler) {
  handlers_[id] = std::move(handler);
}

void EventDispatch::Raise(const ControlRef& control, int event) const {
  if (!windows_.IsLoaded(control.window)) {
    return;
  }
  for (const EventBinding& binding : windows_.Entry(control).events) {
    if (binding.event != event) {
      continue;
    }
    const auto found = handlers_.find(binding.handler);
    if (found != handlers_.end() && found->second) {
      // A copy: the handler may rebind handlers while it runs.
      const Handler handler = found->second;
      handler(EventContext{control.window, binding.argument});
    }
    return;
  }
}

void EventDispatch::RunModal(WindowId window) const {
  if (modal_host_ != nullptr) {
    modal_host_->RunModal(window);
  }
}

void EventDispatch::WindowCreated(WindowId window) const {
  if (observer_ != nullptr) {
    observer_->WindowCreated(window);
  }
}

void EventDispatch::WindowShown(WindowId window) const {
  if (observer_ != nullptr) {
    observer_->WindowShown(window);
  }
}

void EventDispatch::WindowClosed(WindowId window) const {
  if (observer_ != nullptr) {
    observer_->WindowClosed(window);
  }
}

void EventDispatch::Notify(const ControlRef& control, Property property) const {
  if (observer_ != nullptr) {
    observer_->PropertyChanged(control, property);
  }
}

void EventDispatch::NotifyItems(const ControlRef& control, const ItemChange& change) const {
  if (observer_ != nullptr) {
    observer_->ItemsChanged(control, change);
  }
}

void EventDispatch::VisualStyleChanged(int style_number) const {
  if (observer_ != nullptr) {
    observer_->VisualStyleChanged(style_number);
  }
}

}  // namespace velmora
