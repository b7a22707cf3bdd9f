#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>
#include <map>
#include <vector>

#include "gui/top_window.h"
#include "ui/control_model.h"
#include "ui/early_windows.h"

class QEventLoop;
class QListWidget;

namespace velmora {

// The Qt windows of the control model. Model writes reach the widgets here without raising
// user events; real user input on a widget is reported back through the model's User* actions.
class QtView final : public ModelObserver, public ModalHost {
 public:
  QtView();
  ~QtView() override;
  QtView(const QtView&) = delete;
  QtView& operator=(const QtView&) = delete;

  // The view gets the model only after start-up, when the main window has been created (and
  // its `created` event has run) inside it; windows created before are built from the
  // model's state now, and only then shown.
  void Attach(ControlModel& model);
  // Before the model goes: the windows stay until the view goes, but report nothing more.
  void Detach();
  // Called once the last window has closed.
  void SetFinished(std::function<void()> finished) { finished_ = std::move(finished); }

  QWidget* WindowWidget(WindowId window) const;
  QWidget* ControlWidget(const ControlRef& control) const;

  void WindowCreated(WindowId window) override;
  void WindowShown(WindowId window) override;
  void WindowClosed(WindowId window) override;
  void PropertyChanged(const ControlRef& control, Property property) override;
  void ItemsChanged(const ControlRef& control, const ItemChange& change) override;
  void VisualStyleChanged(int style_number) override;
  void RunModal(WindowId window) override;

 private:
  class UserAction;

  struct ViewWindow {
    TopWindow* window = nullptr;
    std::vector<QWidget*> controls;  // by layout entry; [0] is the window, bridge objects null
    std::vector<bool> pending;       // on a page not selected yet: no widget so far
    bool shown = false;
  };

  void Build(WindowId window);
  // The controls on pages that the user has never selected are built when their page first
  // comes up: most of the main window lies on the settings pages.
  void BuildPending(WindowId window);
  void BuildControls(WindowId window, const std::vector<std::size_t>& entries);
  void Show(WindowId window);
  void Bind(const ControlRef& control, QWidget* widget);
  void ApplyAll(const ControlRef& control, QWidget* widget);
  void Apply(const ControlRef& control, QWidget* widget, Property property);
  void RequestClose(WindowId window);
  bool Live(const ControlRef& control) const;
  void ApplyItemChange(const ControlRef& control, QWidget* widget, const ItemChange& change);
  // The list rows brought in line with the model's entries where they differ.
  void SyncRows(const ControlRef& control, QListWidget* list);
  // Model writes during a user action reach the widgets once the action is over (or when a
  // dialog it opens lets the event loop run).
  void MarkStale(const ControlRef& control, Property property, const ItemChange* change);
  void ApplyStale();

  ControlModel* model_ = nullptr;
  std::map<WindowId, ViewWindow> windows_;
  EarlyWindows early_;
  std::map<WindowId, QEventLoop*> modal_loops_;
  std::function<void()> finished_;
  bool building_ = false;
  struct StaleProperty {
    ControlRef control;
    Property property = Property::kCaption;
    bool whole = false;  // kItems: all entries may have changed
    int changes = 0;     // kItems: single item changes
    ItemChange change;   // the first of them
  };
  int user_actions_ = 0;
  std::vector<StaleProperty> stale_;
  bool flush_posted_ = false;
  QObject flush_context_;  // pending flushes go with the view
};

}  // namespace velmora
