#pragma once

#include <QTabBar>
#include <QWidget>
#include <vector>

namespace velmora {

// A tab control whose pages all cover the whole control, so that the controls on a page keep
// the layout's coordinates (relative to the tab control) exactly. Only the selected page is
// shown; a control hidden on a page stays hidden when its page comes back, since Qt remembers
// each child's own visibility.
class TabControl : public QWidget {
 public:
  TabControl(QWidget* parent, const QStringList& captions);

  QTabBar* bar() const { return bar_; }
  QWidget* page(int index) const;
  int page_count() const { return static_cast<int>(pages_.size()); }
  // Shows the page without reporting a user selection.
  void ShowPage(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QTabBar* bar_;
  std::vector<QWidget*> pages_;
};

}  // namespace velmora
