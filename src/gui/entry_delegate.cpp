#include "gui/entry_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>
#include <utility>

namespace velmora {
namespace {

constexpr int kTabStopCharacters = 8;

QPalette::ColorGroup GroupOf(QStyle::State state) {
  if (!(state & QStyle::State_Enabled)) return QPalette::Disabled;
  return (state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

}  // namespace

void EntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = std::exchange(item.text, QString());
  const QWidget* widget = item.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  // Background, selection and focus as the style draws them; the text on top with tab stops.
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect area = item.rect.adjusted(margin, 0, -margin, 0);
  QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
  layout.setWrapMode(QTextOption::NoWrap);
  layout.setTabStopDistance(kTabStopCharacters * item.fontMetrics.averageCharWidth());
  const bool selected = item.state & QStyle::State_Selected;
  painter->save();
  painter->setClipRect(area);
  painter->setFont(item.font);
  painter->setPen(item.palette.color(GroupOf(item.state),
                                     selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(area, text, layout);
  painter->restore();
}

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.rheight() += 1;
  return size;
}

}  // namespace velmora
