#include "gui/combo_box.h"

#include <QAbstractItemView>

#include "gui/entry_delegate.h"

namespace velmora {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setMaxVisibleItems(10);
  setItemDelegate(new EntryDelegate(this));
}

void ComboBox::showPopup() {
  QComboBox::showPopup();
  QWidget* popup = view()->window();
  if (popup == window() || popup->height() >= kMinimumDropDownHeight) return;
  const int grow = kMinimumDropDownHeight - popup->height();
  // A list that opened above the box grows upwards, away from the box.
  const bool above = popup->geometry().bottom() <= mapToGlobal(QPoint(0, 0)).y();
  popup->setGeometry(popup->x(), above ? popup->y() - grow : popup->y(), popup->width(),
                     kMinimumDropDownHeight);
}

}  // namespace velmora
