#pragma once

#include <QStyledItemDelegate>

namespace velmora {

// The rows of the list box and of the combo box's drop-down list: one pixel taller than the
// style's own, and a tab in an entry moves its text on to the next tab stop (every eight
// average characters, as the desktop's list boxes set them) instead of showing a box. Texts
// that do not fit are cut at the row's edge.
class EntryDelegate final : public QStyledItemDelegate {
 public:
  explicit EntryDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace velmora
