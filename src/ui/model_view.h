#pragma once

// The part of a control model view that does not depend on the toolkit. It tracks the model's
// windows, including those created before the view was attached; creates a window's controls
// parent first, and only those on the selected pages; defers model writes while a user action
// runs or while the control is on a hidden page; runs modal windows; and decides when a window
// may close. A front end derives from it and implements only the toolkit-specific parts:
// creating a native window or control, setting one property on it, and reporting its native
// events to the model as user actions.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "runtime/date_time.h"
#include "ui/control_model.h"
#include "ui/early_windows.h"

namespace velmora {

// The initial state of a control, passed to CreateControl so that a front end that can set it
// at creation does not have to set it again afterwards.
struct ControlLook {
  std::string text;  // the caption, or the text of an edit box
  bool visible = true;
  bool enabled = true;
};

// The day the user picked, with the time of day the model already holds.
DateTime WithDay(DateTime previous, int year, int month, int day);

class ModelView : public ModelObserver, public ModalHost {
 public:
  ModelView() = default;
  ~ModelView() override = default;
  ModelView(const ModelView&) = delete;
  ModelView& operator=(const ModelView&) = delete;

  // The view gets the model only after the program has loaded the main window and run its
  // `created` event. Windows created before that are built from the model's current state here,
  // and shown only once built.
  void Attach(ControlModel& model);
  // Called before the model is destroyed. Text the user typed that the model has not read yet is
  // passed to the model while the controls still exist; the native windows remain until the view
  // is destroyed but report no further events.
  void Detach();

  void WindowCreated(WindowId window) final;
  void WindowShown(WindowId window) final;
  void WindowClosed(WindowId window) final;
  void PropertyChanged(const ControlRef& control, Property property) final;
  void ItemsChanged(const ControlRef& control, const ItemChange& change) final;
  void RunModal(WindowId window) final;

 protected:
  // Scope of a user action reported to the model. Its command may change a control many times
  // (ReadPreset unticks every Tag, clears the list, then ticks and fills them again), so the
  // controls are updated once, with the final state, when the scope ends. An action in a modal
  // window, nested inside the one that opened it, applies its changes when it ends as well.
  class UserAction {
   public:
    explicit UserAction(ModelView& view) : view_(view) { ++view_.user_actions_; }
    ~UserAction();
    UserAction(const UserAction&) = delete;
    UserAction& operator=(const UserAction&) = delete;

   private:
    ModelView& view_;
  };

  ControlModel* model() const { return model_; }
  // The view is attached and the control's window is loaded and built.
  bool Live(const ControlRef& control) const;
  // The control has its native control (a window's own entry counts as built).
  bool Built(const ControlRef& control) const;
  // Writes the model's value back to the control at once, after the user changed the control.
  void Refresh(const ControlRef& control, Property property);
  // The user asks to close the window; ignored unless the window is the one taking input.
  void RequestClose(WindowId window);
  // The flush that PostFlush requested: applies the deferred writes of visible controls.
  void FlushDeferred();

  // Implemented by each front end. Creates the window's native window, hidden.
  virtual void CreateTopWindow(WindowId window, const LayoutEntry& own) = 0;
  // Creates the native control of a layout entry inside its parent's, which already exists.
  // Never called for bridge objects.
  virtual void CreateControl(const ControlRef& control, const ControlLook& look) = 0;
  // Z-order follows control order: the control goes right behind the previous one with the same
  // parent and page (previous 0: on top of its siblings).
  virtual void StackControl(const ControlRef& control, int previous) = 0;
  // Tab order follows control order, for a front end where z-order does not determine it.
  virtual void FollowInTabOrder(const ControlRef& /*control*/, int /*previous_tab_stop*/) {}
  // Copies one property from the model to the native control without raising a user action.
  virtual void SetProperty(const ControlRef& control, Property property) = 0;
  virtual int RowCount(const ControlRef& control) const = 0;
  // Replaces only the rows that changed; the change is consistent with the rows shown.
  virtual void ReplaceRows(const ControlRef& control, const ItemChange& change) = 0;
  virtual void ShowTopWindow(WindowId window) = 0;
  virtual void DestroyTopWindow(WindowId window) = 0;
  virtual void EnableTopWindow(WindowId window, bool enabled) = 0;
  // Processes user input until the model has unloaded the window.
  virtual void RunEventLoop(WindowId window) = 0;
  // Schedules FlushDeferred on the event loop, so that a dialog opened by the user action
  // shows the state up to that point.
  virtual void PostFlush() = 0;
  // The last window has closed.
  virtual void ProgramFinished() = 0;

 private:
  struct WindowState {
    std::vector<bool> built;  // by layout entry
    bool shown = false;
    bool enabled = true;
    std::vector<WindowId> disabled;  // the windows this modal window disabled
  };
  struct Deferred {
    ControlRef control;
    Property property = Property::kCaption;
    bool whole = false;  // kItems: all entries may have changed
    int changes = 0;     // kItems: single item changes
    ItemChange change;   // the first of them
  };

  void Build(WindowId window);
  // Creates the native controls still missing on the currently selected pages.
  void BuildPending(WindowId window);
  void BuildControls(WindowId window, const std::vector<std::size_t>& entries);
  void CreateParentsFirst(WindowId window, std::size_t entry, std::vector<std::size_t>& order);
  void Show(WindowId window);
  void Apply(const ControlRef& control, Property property);
  void ApplyRows(const ControlRef& control, const ItemChange& change);
  void Defer(const ControlRef& control, Property property, const ItemChange* change);
  void ApplyDeferred();
  void Reenable(WindowState& state);

  ControlModel* model_ = nullptr;
  std::map<WindowId, WindowState> windows_;
  EarlyWindows early_;
  std::vector<Deferred> deferred_;
  int user_actions_ = 0;
  bool flush_posted_ = false;
  bool building_ = false;
};

}  // namespace velmora
