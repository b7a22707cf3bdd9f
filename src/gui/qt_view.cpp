#include "gui/qt_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "gui/check_box.h"
#include "gui/control_widgets.h"
#include "gui/gui_text.h"
#include "gui/list_box.h"
#include "gui/tab_control.h"
#include "gui/visual_style.h"
#include "gui/widget_values.h"

namespace velmora {
QtView::~QtView() {
  for (auto& [id, view] : windows_) delete view.window;
}

QWidget* QtView::WindowWidget(WindowId window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second.window;
}

QWidget* QtView::ControlWidget(const ControlRef& control) const {
  const auto found = windows_.find(control.window);
  if (found == windows_.end() || control.control < 0) return nullptr;
  const std::vector<QWidget*>& controls = found->second.controls;
  const auto index = static_cast<std::size_t>(control.control);
  return index < controls.size() ? controls[index] : nullptr;
}

void QtView::VisualStyleChanged(int style_number) { ApplyVisualStyle(style_number); }

void QtView::CreateTopWindow(WindowId window, const LayoutEntry& own) {
  ViewWindow& view = windows_[window];
  view.controls.assign(model()->LayoutOf(window).entries.size(), nullptr);
  view.window = new TopWindow(QSize(own.width, own.height), own.style & kStyleSizeable);
  view.controls[0] = view.window;
  view.window->setWindowTitle(ToQt(own.text));
  const QString window_name = own.name.empty() ? ToQt(own.text) : ToQt(own.name);
  view.window->setObjectName(window_name);
  view.window->setAccessibleName(window_name);
  view.window->SetCloseRequest([this, window] { RequestClose(window); });
}

void QtView::CreateControl(const ControlRef& control, const ControlLook& look) {
  ViewWindow& view = windows_.at(control.window);
  const WindowLayout& layout = model()->LayoutOf(control.window);
  const LayoutEntry& entry = layout.entries[static_cast<std::size_t>(control.control)];
  QWidget* parent = view.window;
  const auto parent_index = static_cast<std::size_t>(entry.parent);
  if (parent_index > 0 && parent_index < view.controls.size() &&
      view.controls[parent_index] != nullptr) {
    parent = ChildHolder(view.controls[parent_index], layout.entries[parent_index], entry.page);
  }
  QWidget* widget = CreateControlWidget(entry, parent);
  if (widget == nullptr) return;
  view.controls[static_cast<std::size_t>(control.control)] = widget;
  view.window->Place(widget, QRect(entry.left, entry.top, entry.width, entry.height));
  const QString name = ToQt(entry.name);
  widget->setObjectName(name);
  widget->setAccessibleName(name);
  if (!(entry.flags & kFlagTabStop) && (widget->focusPolicy() & Qt::TabFocus)) {
    widget->setFocusPolicy(Qt::ClickFocus);
  }
  {
    const QSignalBlocker blocker(widget);
    if (control.type == ControlType::kEditBox) {
      ShowEditText(widget, look.text);
    } else {
      ShowCaption(widget, look.text);
    }
    widget->setEnabled(look.enabled);
    widget->setVisible(look.visible);
  }
  Bind(control, widget);
}

void QtView::StackControl(const ControlRef& control, int previous) {
  QWidget* widget = ControlWidget(control);
  if (widget == nullptr) return;
  QWidget* above =
      previous == 0 ? nullptr : ControlWidget({control.type, control.window, previous});
  if (above == nullptr) {
    widget->raise();
  } else {
    widget->stackUnder(above);
  }
}

void QtView::FollowInTabOrder(const ControlRef& control, int previous_tab_stop) {
  QWidget* widget = ControlWidget(control);
  QWidget* previous = ControlWidget({control.type, control.window, previous_tab_stop});
  if (widget != nullptr && previous != nullptr) QWidget::setTabOrder(previous, widget);
}

void QtView::SetProperty(const ControlRef& control, Property property) {
  QWidget* widget = ControlWidget(control);
  if (widget == nullptr) return;
  const QSignalBlocker blocker(widget);
  switch (property) {
    case Property::kCaption:
      ShowCaption(widget, model()->Caption(control));
      break;
    case Property::kChecked:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(model()->Checked(control));
      break;
    case Property::kVisible:
      widget->setVisible(model()->Visible(control));
      break;
    case Property::kText:
      ShowEditText(widget, model()->TextView(control));
      break;
    case Property::kItems:
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStringList texts;
        for (const ComboEntry& entry : model()->Combo(control).Entries()) {
          texts.append(ToQtLines(entry.text));
        }
        combo->clear();
        combo->addItems(texts);
      } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QStringList shown;
        for (const ComboEntry& entry : model()->Combo(control).Entries()) {
          shown.append(ListEntryDisplay(entry.text));
        }
        SyncListRows(list, shown);
      }
      SetProperty(control, Property::kSelection);
      break;
    case Property::kSelection: {
      const int selection = model()->Selection(control);
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(selection);
      } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->setCurrentRow(selection);
        if (selection < 0) list->clearSelection();
      }
      break;
    }
    case Property::kPage:
      if (auto* tab = dynamic_cast<TabControl*>(widget)) tab->ShowPage(model()->Page(control));
      break;
    case Property::kDate:
      if (auto* date = qobject_cast<QDateEdit*>(widget)) {
        date->setDateTime(ToQtDateTime(model()->Date(control)));
      }
      break;
  }
}

int QtView::RowCount(const ControlRef& control) const {
  const QWidget* widget = ControlWidget(control);
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->count();
  if (const auto* list = qobject_cast<const QListWidget*>(widget)) return list->count();
  return 0;
}

void QtView::ReplaceRows(const ControlRef& control, const ItemChange& change) {
  QWidget* widget = ControlWidget(control);
  auto* combo = qobject_cast<QComboBox*>(widget);
  auto* list = qobject_cast<QListWidget*>(widget);
  if (combo == nullptr && list == nullptr) return;
  const std::vector<ComboEntry>& entries = model()->Combo(control).Entries();
  // One call per run of rows, with signals blocked so that no user action is reported.
  const QSignalBlocker blocker(widget);
  if (change.removed > 0) {
    (combo != nullptr ? combo->model() : list->model())->removeRows(change.first, change.removed);
  }
  if (change.inserted == 0) return;
  QStringList texts;
  texts.reserve(change.inserted);
  for (int i = change.first; i < change.first + change.inserted; ++i) {
    texts.append(RowText(widget, entries[static_cast<std::size_t>(i)].text));
  }
  if (combo != nullptr) {
    combo->insertItems(change.first, texts);
  } else {
    list->insertItems(change.first, texts);
  }
}

void QtView::ShowTopWindow(WindowId window) {
  TopWindow* widget = windows_.at(window).window;
  widget->CentreOnScreen();
  widget->show();
  widget->raise();
  widget->activateWindow();
}

void QtView::DestroyTopWindow(WindowId window) {
  if (const auto loop = modal_loops_.find(window); loop != modal_loops_.end()) {
    loop->second->quit();
  }
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  TopWindow* widget = found->second.window;
  windows_.erase(found);
  widget->hide();
  // The close may come from inside one of the window's own event handlers.
  widget->deleteLater();
}

void QtView::EnableTopWindow(WindowId window, bool enabled) {
  windows_.at(window).window->setEnabled(enabled);
}

void QtView::RunEventLoop(WindowId window) {
  QEventLoop loop;
  modal_loops_[window] = &loop;
  if (model()->IsLoaded(window)) loop.exec();
  modal_loops_.erase(window);
}

void QtView::PostFlush() {
  QTimer::singleShot(0, &flush_context_, [this] { FlushDeferred(); });
}

void QtView::ProgramFinished() {
  if (finished_) finished_();
}

void QtView::Bind(const ControlRef& control, QWidget* widget) {
  switch (control.type) {
    case ControlType::kButton:
      QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, widget,
                       [this, control] {
                         if (!Live(control)) return;
                         const UserAction action(*this);
                         model()->UserClick(control);
                       });
      break;
    case ControlType::kCheckBox:
      QObject::connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, widget,
                       [this, control] {
                         if (!Live(control)) return;
                         const UserAction action(*this);
                         model()->UserToggle(control);
                         Refresh(control, Property::kChecked);
                       });
      break;
    case ControlType::kEditBox:
      if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(line, &QLineEdit::textEdited, widget,
                         [this, control](const QString& text) {
                           if (Live(control)) model()->UserReplaceText(control, FromQt(text));
                         });
      } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        // A multi-line box may hold a long text: it is converted when the model reads it, not
        // on every keystroke.
        QObject::connect(edit, &QPlainTextEdit::textChanged, widget, [this, control, edit] {
          if (Live(control)) {
            model()->UserEditText(control, [edit] { return FromQtLines(edit->toPlainText()); });
          }
        });
      }
      break;
    case ControlType::kComboBox:
      // The choice is reported from a posted event, once the selection is in place.
      QObject::connect(static_cast<QComboBox*>(widget), &QComboBox::activated, widget,
                       [this, control, widget](int index) {
                         QTimer::singleShot(0, widget, [this, control, index] {
                           if (!Live(control)) return;
                           const UserAction action(*this);
                           model()->UserPickEntry(control, index);
                         });
                       });
      break;
    case ControlType::kListBox: {
      auto* list = static_cast<ListBox*>(widget);
      QObject::connect(list, &QListWidget::currentRowChanged, widget, [this, control](int row) {
        if (Live(control)) model()->UserSelectListItem(control, row);
      });
      list->SetToolTipSource([this, control](int row) {
        return Live(control) ? ToQtLines(model()->ItemText(control, row)) : QString();
      });
      break;
    }
    case ControlType::kTab:
      QObject::connect(static_cast<TabControl*>(widget)->bar(), &QTabBar::currentChanged, widget,
                       [this, control](int page) {
                         if (!Live(control)) return;
                         model()->UserSelectPage(control, page);
                         Refresh(control, Property::kPage);
                       });
      break;
    case ControlType::kDatePicker:
      QObject::connect(static_cast<QDateEdit*>(widget), &QDateEdit::dateChanged, widget,
                       [this, control](QDate day) {
                         if (Live(control) && day.isValid()) {
                           model()->UserPickDate(
                               control,
                               WithDay(model()->Date(control), day.year(), day.month(), day.day()));
                         }
                       });
      break;
    default:
      break;
  }
}

}  // namespace velmora
