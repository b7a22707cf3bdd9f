#include "gui/tab_control.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionTabWidgetFrame>

namespace velmora {

TabControl::TabControl(QWidget* parent, const QStringList& captions)
    : QWidget(parent), bar_(new QTabBar(this)) {
  bar_->setUsesScrollButtons(true);
  bar_->setExpanding(false);
  bar_->setElideMode(Qt::ElideNone);
  bar_->setDrawBase(false);
  for (const QString& caption : captions) {
    bar_->addTab(caption);
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("page"));
    page->hide();
    pages_.push_back(page);
  }
  // The pages lie under the bar: a click on a tab reaches the bar.
  bar_->raise();
  ShowPage(0);
}

QWidget* TabControl::page(int index) const {
  if (index < 0 || index >= page_count()) return nullptr;
  return pages_[static_cast<std::size_t>(index)];
}

void TabControl::ShowPage(int index) {
  if (index < 0 || index >= page_count()) return;
  const QSignalBlocker blocker(bar_);
  bar_->setCurrentIndex(index);
  for (int i = 0; i < page_count(); ++i) {
    pages_[static_cast<std::size_t>(i)]->setVisible(i == index);
  }
}

void TabControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
  for (QWidget* page : pages_) page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionTabWidgetFrame option;
  option.initFrom(this);
  option.shape = QTabBar::RoundedNorth;
  option.tabBarSize = bar_->size();
  const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
  option.rect = rect().adjusted(0, bar_->height() - overlap, 0, 0);
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

}  // namespace velmora
