#include "ui/control_model.h"

namespace velmora {

ControlModel::ControlModel(const Clock& clock)
    // The window stack, the first base, is built before the parts that keep a reference to it.
    : EventDispatch(static_cast<const WindowStack&>(*this)),
      ControlStore(static_cast<const WindowStack&>(*this),
                   static_cast<const EventDispatch&>(*this)),
      ControlQuery(static_cast<const WindowStack&>(*this)),
      clock_(clock) {}

WindowId ControlModel::LoadWindow(WindowKind kind, bool modal) {
  // Loading a window that is already loaded only brings it forward.
  if (const WindowId loaded = LoadedOfKind(kind); loaded != 0) {
    return loaded;
  }
  const WindowId id = Open(kind, modal);
  // Loaded from here on: the `created` handler reads and writes the controls.
  Create(id, clock_);
  WindowCreated(id);
  Raise(WindowRef(id), kEventCreated);
  if (!IsLoaded(id)) {
    return id;  // the handler closed it
  }
  if (modal) {
    DisableOthers(id);
  }
  Show(id);
  WindowShown(id);
  if (modal) {
    RunModal(id);
  }
  return id;
}

void ControlModel::UserClose(WindowId window) {
  if (!BeginClose(window)) {
    return;
  }
  Raise(WindowRef(window), kEventAboutToBeDestroyed);
  FinishClose(window);
  Destroy(window);
  WindowClosed(window);
  NoteClosed();
}

ControlRef ControlModel::WindowRef(WindowId window) const {
  return ControlRef{ControlType::kWindow, window, 0};
}

void ControlModel::SetVisualStyle(int style_number) {
  visual_style_ = style_number;
  VisualStyleChanged(style_number);
}

}  // namespace velmora
