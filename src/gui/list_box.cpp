#include "gui/list_box.h"

#include <QHelpEvent>
#include <QToolTip>

#include "gui/entry_delegate.h"

namespace velmora {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setItemDelegate(new EntryDelegate(this));
}

bool ListBox::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip || !tool_tip_) return QListWidget::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  if (index.isValid()) {
    QToolTip::showText(help->globalPos(), tool_tip_(index.row()), viewport(), visualRect(index));
  } else {
    QToolTip::hideText();
  }
  return true;
}

}  // namespace velmora
