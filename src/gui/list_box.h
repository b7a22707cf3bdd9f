#pragma once

#include <QListWidget>
#include <functional>

namespace velmora {

// The list box: single selection, rows of EntryDelegate. A row shows the start of its entry
// only; the tooltip shows the whole entry, asked for when it is about to show.
class ListBox final : public QListWidget {
 public:
  explicit ListBox(QWidget* parent);

  void SetToolTipSource(std::function<QString(int row)> source) { tool_tip_ = std::move(source); }

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  std::function<QString(int row)> tool_tip_;
};

}  // namespace velmora
