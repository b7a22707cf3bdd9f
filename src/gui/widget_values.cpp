#include "gui/widget_values.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/gui_text.h"
#include "gui/list_box.h"

namespace velmora {

void ShowCaption(QWidget* widget, std::string_view gbk) {
  const QString caption = ToQtLines(gbk);
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(caption);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(caption);
  } else if (widget->isWindow()) {
    widget->setWindowTitle(ToQt(gbk));
  }
}

void ShowEditText(QWidget* widget, std::string_view gbk) {
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    const QString shown = ToQt(gbk);
    if (line->text() != shown) line->setText(shown);
  } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
    const QString shown = ToQtLines(gbk);
    if (edit->toPlainText() != shown) edit->setPlainText(shown);
  }
}

QString RowText(const QWidget* widget, std::string_view gbk) {
  return qobject_cast<const QComboBox*>(widget) != nullptr ? ToQtLines(gbk) : ListEntryDisplay(gbk);
}

void SyncListRows(QListWidget* list, const QStringList& shown) {
  const int before = list->count();
  const auto after = static_cast<int>(shown.size());
  int front = 0;
  while (front < before && front < after && list->item(front)->text() == shown[front]) ++front;
  int back = 0;
  while (back < before - front && back < after - front &&
         list->item(before - 1 - back)->text() == shown[after - 1 - back]) {
    ++back;
  }
  if (before - front - back > 0) list->model()->removeRows(front, before - front - back);
  if (after - front - back > 0) list->insertItems(front, shown.mid(front, after - front - back));
}

QDateTime ToQtDateTime(DateTime value) {
  const CalendarTime time = ToCalendarTime(value);
  return QDateTime(QDate(time.year, time.month, time.day),
                   QTime(time.hour, time.minute, time.second));
}

}  // namespace velmora
