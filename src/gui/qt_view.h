#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "gui/top_window.h"
#include "ui/model_view.h"

class QEventLoop;

namespace velmora {

// The Qt front end of the control model: creates widgets from the layout, sets one property on
// a widget at a time, and reports the widgets' signals to the model as user actions. ModelView
// decides when controls are created and when model writes are applied.
class QtView final : public ModelView {
 public:
  QtView() = default;
  ~QtView() override;
  QtView(const QtView&) = delete;
  QtView& operator=(const QtView&) = delete;

  // Called once the last window has closed.
  void SetFinished(std::function<void()> finished) { finished_ = std::move(finished); }

  QWidget* WindowWidget(WindowId window) const;
  QWidget* ControlWidget(const ControlRef& control) const;

  void VisualStyleChanged(int style_number) override;

 private:
  struct ViewWindow {
    TopWindow* window = nullptr;
    std::vector<QWidget*> controls;  // by layout entry; [0] is the window, null until built
  };

  void CreateTopWindow(WindowId window, const LayoutEntry& own) override;
  void CreateControl(const ControlRef& control, const ControlLook& look) override;
  void StackControl(const ControlRef& control, int previous) override;
  void FollowInTabOrder(const ControlRef& control, int previous_tab_stop) override;
  void SetProperty(const ControlRef& control, Property property) override;
  int RowCount(const ControlRef& control) const override;
  void ReplaceRows(const ControlRef& control, const ItemChange& change) override;
  void ShowTopWindow(WindowId window) override;
  void DestroyTopWindow(WindowId window) override;
  void EnableTopWindow(WindowId window, bool enabled) override;
  void RunEventLoop(WindowId window) override;
  void PostFlush() override;
  void ProgramFinished() override;

  void Bind(const ControlRef& control, QWidget* widget);

  std::map<WindowId, ViewWindow> windows_;
  std::map<WindowId, QEventLoop*> modal_loops_;
  std::function<void()> finished_;
  QObject flush_context_;  // owns posted flushes, so they are dropped with the view
};

}  // namespace velmora
