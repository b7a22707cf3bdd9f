#pragma once

// The windows a model creates and shows before a view is attached to it: the program loads the
// main window and runs its startup routine before the front end holds the model. A view keeps
// them here and builds them once it is attached.

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/control_model.h"

namespace velmora {

class EarlyWindows {
 public:
  void Created(WindowId window) { created_.push_back(window); }
  void Shown(WindowId window) { shown_.push_back(window); }
  void Closed(WindowId window) {
    Erase(created_, window);
    Erase(shown_, window);
  }
  // Builds each window that is still loaded, in the order they came, and shows those shown.
  template <typename Build, typename Show>
  void Replay(const ControlModel& model, Build build, Show show) {
    const std::vector<WindowId> created = std::exchange(created_, {});
    const std::vector<WindowId> shown = std::exchange(shown_, {});
    for (const WindowId window : created) {
      if (!model.IsLoaded(window)) continue;
      build(window);
      if (std::find(shown.begin(), shown.end(), window) != shown.end()) show(window);
    }
  }

 private:
  static void Erase(std::vector<WindowId>& ids, WindowId window) {
    ids.erase(std::remove(ids.begin(), ids.end(), window), ids.end());
  }

  std::vector<WindowId> created_;
  std::vector<WindowId> shown_;
};

}  // namespace velmora
