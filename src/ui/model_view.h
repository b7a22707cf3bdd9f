#pragma once

// What every view of the control model does alike, whatever draws its windows: it follows the
// model's windows from the early ones on, builds a window's controls parents first and only
// those on the pages shown, holds model writes back while a user action runs or while their
// control lies on a page not shown, runs modal windows and decides when a window may close.
// A front end derives from it and does only what is its own: making a native window or
// control, setting one property on it, and reporting its native events as the model's user
// actions.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "runtime/date_time.h"
#include "ui/control_model.h"
#include "ui/early_windows.h"

namespace velmora {

// What a control shows from its creation on, so that a front end that can give it at creation
// sets nothing twice.
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

  // The model is known only after the program has loaded the main window (and run its
  // `created` event) inside it; the windows made before are built from the model's state now,
  // and only then shown.
  void Attach(ControlModel& model);
  // Before the model goes: what the user typed and the model has not read yet goes over while
  // the controls still hold it; the windows stay until the view goes, but report nothing more.
  void Detach();

  void WindowCreated(WindowId window) final;
  void WindowShown(WindowId window) final;
  void WindowClosed(WindowId window) final;
  void PropertyChanged(const ControlRef& control, Property property) final;
  void ItemsChanged(const ControlRef& control, const ItemChange& change) final;
  void RunModal(WindowId window) final;

 protected:
  // A user action reported to the model: its command may change a control many times
  // (ReadPreset unticks every Tag, clears the list, then ticks and fills them again), and the
  // controls follow once, with the final state, when it is over. An action in a modal window,
  // nested in the one that opened it, shows its changes when it is over too.
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
  // The window is loaded and built, and the view attached.
  bool Live(const ControlRef& control) const;
  // The control has its native control (a window's own entry counts as built).
  bool Built(const ControlRef& control) const;
  // Sets the model's value on the control now, after the user changed it on the control.
  void Refresh(const ControlRef& control, Property property);
  // The user asks to close the window: only the window that takes input may close.
  void RequestClose(WindowId window);
  // The flush that PostFlush asked for: what is held back and can be seen is set now.
  void FlushDeferred();

  // The front end's jobs. The window's native window, not shown yet.
  virtual void CreateTopWindow(WindowId window, const LayoutEntry& own) = 0;
  // The native control of a layout entry, inside its parent's (made before it); the bridge
  // objects never come here.
  virtual void CreateControl(const ControlRef& control, const ControlLook& look) = 0;
  // Stacking is control order: the control goes right behind the previous one of the same
  // parent and page (previous 0: on top of its siblings).
  virtual void StackControl(const ControlRef& control, int previous) = 0;
  // Tab order is control order, for a front end where stacking does not give it.
  virtual void FollowInTabOrder(const ControlRef& /*control*/, int /*previous_tab_stop*/) {}
  // One property from the model onto the native control, raising no user action.
  virtual void SetProperty(const ControlRef& control, Property property) = 0;
  virtual int RowCount(const ControlRef& control) const = 0;
  // Only the rows that changed; the change fits the rows shown.
  virtual void ReplaceRows(const ControlRef& control, const ItemChange& change) = 0;
  virtual void ShowTopWindow(WindowId window) = 0;
  virtual void DestroyTopWindow(WindowId window) = 0;
  virtual void EnableTopWindow(WindowId window, bool enabled) = 0;
  // Takes the user's input until the model no longer holds the window loaded.
  virtual void RunEventLoop(WindowId window) = 0;
  // Asks for FlushDeferred from the event loop, so that a dialog the user action opens shows
  // the state so far.
  virtual void PostFlush() = 0;
  // The last window has closed.
  virtual void ProgramFinished() = 0;

 private:
  struct WindowState {
    std::vector<bool> built;  // by layout entry
    bool shown = false;
    bool enabled = true;
    std::vector<WindowId> disabled;  // the windows this modal window keeps from input
  };
  struct Deferred {
    ControlRef control;
    Property property = Property::kCaption;
    bool whole = false;  // kItems: all entries may have changed
    int changes = 0;     // kItems: single item changes
    ItemChange change;   // the first of them
  };

  void Build(WindowId window);
  // The controls on the pages now selected that have no native control yet.
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
