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

// The Qt windows of the control model: widgets made from the layout, one property set on a
// widget at a time, and the widgets' signals reported as the model's user actions. What is
// built when, and when a write shows, is ModelView's.
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
  QObject flush_context_;  // posted flushes go with the view
};

}  // namespace velmora
