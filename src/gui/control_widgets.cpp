#include "gui/control_widgets.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/gui_text.h"
#include "gui/list_box.h"
#include "gui/tab_control.h"

namespace velmora {
namespace {

QWidget* CreateEditBox(const LayoutEntry& entry, QWidget* parent) {
  if (entry.style & kStyleMultiLine) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->setReadOnly(entry.style & kStyleReadOnly);
    return edit;
  }
  auto* edit = new QLineEdit(parent);
  edit->setFrame(true);
  // Qt's default cuts a text to 32767 characters, and the first keystroke would store the cut.
  edit->setMaxLength(std::numeric_limits<int>::max());
  edit->setReadOnly(entry.style & kStyleReadOnly);
  if (entry.style & kStyleCentred) edit->setAlignment(Qt::AlignCenter);
  return edit;
}

QWidget* CreateDatePicker(QWidget* parent) {
  auto* date = new QDateEdit(parent);
  date->setCalendarPopup(true);
  date->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
  date->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
  return date;
}

QWidget* CreateLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

QWidget* CreateControlWidget(const LayoutEntry& entry, QWidget* parent) {
  switch (entry.type) {
    case ControlType::kEditBox:
      return CreateEditBox(entry, parent);
    case ControlType::kGroupBox:
      return new QGroupBox(parent);
    case ControlType::kLabel:
      return CreateLabel(parent);
    case ControlType::kButton: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      return button;
    }
    case ControlType::kCheckBox:
      return new CheckBox(parent, entry.style & kStyleCentred);
    case ControlType::kComboBox:
      return new ComboBox(parent);
    case ControlType::kListBox:
      return new ListBox(parent);
    case ControlType::kTab: {
      QStringList captions;
      for (const std::string& caption : entry.items) captions.append(ToQt(caption));
      return new TabControl(parent, captions);
    }
    case ControlType::kDatePicker:
      return CreateDatePicker(parent);
    case ControlType::kWindow:
    case ControlType::kWordApp:
    case ControlType::kWordDocuments:
      break;
  }
  return nullptr;
}

QWidget* ChildHolder(QWidget* parent_widget, const LayoutEntry& parent_entry, int page) {
  if (parent_entry.type != ControlType::kTab) return parent_widget;
  auto* tab = static_cast<TabControl*>(parent_widget);
  QWidget* holder = tab->page(page);
  return holder != nullptr ? holder : tab->page(0);
}

}  // namespace velmora
