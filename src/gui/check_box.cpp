#include "gui/check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace velmora {

CheckBox::CheckBox(QWidget* parent, bool centred) : QCheckBox(parent), centred_(centred) {}

bool CheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void CheckBox::paintEvent(QPaintEvent* event) {
  if (!centred_) {
    QCheckBox::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const int content = std::min(sizeHint().width(), width());
  option.rect.setLeft((width() - content) / 2);
  option.rect.setWidth(content);
  painter.drawControl(QStyle::CE_CheckBox, option);
}

}  // namespace velmora
