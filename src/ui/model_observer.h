#pragma once

// What a view learns of the model's changes, and the host that runs a modal window for it.

#include "ui/control_ref.h"

namespace velmora {

enum class Property {
  kCaption,
  kChecked,
  kVisible,
  kText,
  kSelection,  // combo box selection or list box selection
  kItems,      // list or combo box entries changed (the selection may have moved with them)
  kPage,       // tab control page
  kDate,
};

// Which entries of a list or combo box changed: from `first` on, `removed` entries gave way to
// `inserted` new ones (the selection may have moved with them).
struct ItemChange {
  int first = 0;
  int removed = 0;
  int inserted = 0;
};

// A view follows the model through these notifications. Model writes reach the view here; the
// view reports user actions back through the model's User* operations.
class ModelObserver {
 public:
  virtual ~ModelObserver() = default;
  virtual void WindowCreated(WindowId window) = 0;  // all controls exist, before `created`
  virtual void WindowShown(WindowId window) = 0;    // after `created`, visible now
  virtual void WindowClosed(WindowId window) = 0;   // destroyed, no longer loaded
  virtual void PropertyChanged(const ControlRef& control, Property property) = 0;
  virtual void VisualStyleChanged(int style_number) = 0;
  // Entries added, deleted or replaced; an observer that does not follow single entries takes
  // it as a change of all of them.
  virtual void ItemsChanged(const ControlRef& control, const ItemChange& /*change*/) {
    PropertyChanged(control, Property::kItems);
  }
};

// Runs modal work nested: it takes the next user actions until the window is closed.
class ModalHost {
 public:
  virtual ~ModalHost() = default;
  virtual void RunModal(WindowId window) = 0;
};

}  // namespace velmora
