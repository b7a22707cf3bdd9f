#include "gui/qt_view.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "gui/check_box.h"
#include "gui/control_widgets.h"
#include "gui/gui_text.h"
#include "gui/list_box.h"
#include "gui/tab_control.h"
#include "gui/visual_style.h"
#include "runtime/date_time.h"

namespace velmora {
namespace {

QDateTime ToQtDateTime(DateTime value) {
  const CalendarTime time = ToCalendarTime(value);
  return QDateTime(QDate(time.year, time.month, time.day),
                   QTime(time.hour, time.minute, time.second));
}

// The picked day with the time of day the model already holds.
DateTime WithDay(DateTime previous, QDate day) {
  CalendarTime time = ToCalendarTime(previous);
  time.year = day.year();
  time.month = day.month();
  time.day = day.day();
  return FromCalendarTime(time);
}

}  // namespace

// A user action reported to the model: its command may change a control many times (ReadPreset
// unticks every Tag, clears the list, then ticks and fills them again), and the widgets follow
// once, with the final state, when it is over. An action in a modal window, nested in the one
// that opened it, shows its changes when it is over too.
class QtView::UserAction {
 public:
  explicit UserAction(QtView& view) : view_(view) { ++view_.user_actions_; }
  ~UserAction() {
    --view_.user_actions_;
    view_.ApplyStale();
  }
  UserAction(const UserAction&) = delete;
  UserAction& operator=(const UserAction&) = delete;

 private:
  QtView& view_;
};

QtView::QtView() = default;

QtView::~QtView() {
  for (auto& [id, view] : windows_) delete view.window;
}

void QtView::Attach(ControlModel& model) {
  model_ = &model;
  ApplyVisualStyle(model.VisualStyle());
  early_.Replay(
      model, [this](WindowId window) { Build(window); }, [this](WindowId window) { Show(window); });
}

void QtView::Detach() {
  // Text the user typed that the model has not read yet is handed over while the widgets
  // still exist.
  if (model_ != nullptr) {
    for (const auto& [id, view] : windows_) {
      if (!model_->IsLoaded(id)) continue;
      for (std::size_t i = 1; i < view.controls.size(); ++i) {
        if (qobject_cast<QPlainTextEdit*>(view.controls[i]) != nullptr) {
          static_cast<void>(
              model_->Text(ControlRef{ControlType::kEditBox, id, static_cast<int>(i)}));
        }
      }
    }
  }
  model_ = nullptr;
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

void QtView::WindowCreated(WindowId window) {
  if (model_ == nullptr) {
    early_.Created(window);
    return;
  }
  Build(window);
}

void QtView::WindowShown(WindowId window) {
  if (model_ == nullptr) {
    early_.Shown(window);
    return;
  }
  Show(window);
}

void QtView::WindowClosed(WindowId window) {
  early_.Closed(window);
  if (const auto loop = modal_loops_.find(window); loop != modal_loops_.end()) {
    loop->second->quit();
  }
  if (const auto found = windows_.find(window); found != windows_.end()) {
    TopWindow* widget = found->second.window;
    windows_.erase(found);
    widget->hide();
    // The close may come from inside one of the window's own event handlers.
    widget->deleteLater();
  }
}

void QtView::PropertyChanged(const ControlRef& control, Property property) {
  if (model_ == nullptr) return;
  QWidget* widget = ControlWidget(control);
  if (widget == nullptr) return;
  // A page comes up at once: its controls are built for it.
  if (user_actions_ > 0 && property != Property::kPage) {
    MarkStale(control, property, nullptr);
    return;
  }
  Apply(control, widget, property);
}

void QtView::ItemsChanged(const ControlRef& control, const ItemChange& change) {
  if (model_ == nullptr) return;
  QWidget* widget = ControlWidget(control);
  if (widget == nullptr) return;
  if (user_actions_ > 0) {
    MarkStale(control, Property::kItems, &change);
    return;
  }
  ApplyItemChange(control, widget, change);
}

void QtView::ApplyItemChange(const ControlRef& control, QWidget* widget, const ItemChange& change) {
  auto* combo = qobject_cast<QComboBox*>(widget);
  auto* list = qobject_cast<QListWidget*>(widget);
  if (combo == nullptr && list == nullptr) return;
  QAbstractItemModel* rows = combo != nullptr ? combo->model() : list->model();
  const std::vector<ComboEntry>& entries = model_->Combo(control).Entries();
  const int before = rows->rowCount();
  const int end = change.first + change.inserted;
  if (change.first < 0 || change.removed < 0 || change.first + change.removed > before ||
      before - change.removed + change.inserted != static_cast<int>(entries.size())) {
    Apply(control, widget, Property::kItems);
    return;
  }
  // Only the rows that changed, each run in one step.
  const QSignalBlocker blocker(widget);
  if (change.removed > 0) rows->removeRows(change.first, change.removed);
  if (change.inserted > 0) {
    QStringList texts;
    texts.reserve(change.inserted);
    for (int i = change.first; i < end; ++i) {
      const std::string& text = entries[static_cast<std::size_t>(i)].text;
      texts.append(combo != nullptr ? ToQtLines(text) : ListEntryDisplay(text));
    }
    if (combo != nullptr) {
      combo->insertItems(change.first, texts);
    } else {
      list->insertItems(change.first, texts);
    }
  }
  Apply(control, widget, Property::kSelection);
}

void QtView::SyncRows(const ControlRef& control, QListWidget* list) {
  // A row shows nothing but its text, so rows of the same text stay as they are.
  QStringList shown;
  for (const ComboEntry& entry : model_->Combo(control).Entries()) {
    shown.append(ListEntryDisplay(entry.text));
  }
  const int before = list->count();
  const int after = static_cast<int>(shown.size());
  int front = 0;
  while (front < before && front < after && list->item(front)->text() == shown[front]) ++front;
  int back = 0;
  while (back < before - front && back < after - front &&
         list->item(before - 1 - back)->text() == shown[after - 1 - back]) {
    ++back;
  }
  const QSignalBlocker blocker(list);
  if (before - front - back > 0) list->model()->removeRows(front, before - front - back);
  if (after - front - back > 0) list->insertItems(front, shown.mid(front, after - front - back));
  Apply(control, list, Property::kSelection);
}

void QtView::MarkStale(const ControlRef& control, Property property, const ItemChange* change) {
  auto found = std::find_if(stale_.begin(), stale_.end(), [&](const StaleProperty& stale) {
    return stale.control == control && stale.property == property;
  });
  if (found == stale_.end()) {
    found = stale_.insert(stale_.end(), StaleProperty{control, property, false, 0, {}});
  }
  if (change == nullptr) {
    found->whole = true;
  } else if (found->changes++ == 0) {
    found->change = *change;
  }
  if (!flush_posted_) {
    flush_posted_ = true;
    // A dialog that the action opens runs the event loop: the window shows the state so far.
    QTimer::singleShot(0, &flush_context_, [this] { ApplyStale(); });
  }
}

void QtView::ApplyStale() {
  flush_posted_ = false;
  for (const StaleProperty& stale : std::exchange(stale_, {})) {
    if (!Live(stale.control)) continue;
    QWidget* widget = ControlWidget(stale.control);
    if (widget == nullptr) continue;
    if (stale.property != Property::kItems) {
      Apply(stale.control, widget, stale.property);
    } else if (!stale.whole && stale.changes == 1) {
      ApplyItemChange(stale.control, widget, stale.change);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
      SyncRows(stale.control, list);
    } else {
      Apply(stale.control, widget, Property::kItems);
    }
  }
}

void QtView::VisualStyleChanged(int style_number) { ApplyVisualStyle(style_number); }

void QtView::RunModal(WindowId window) {
  if (model_ == nullptr || !model_->IsLoaded(window) || windows_.count(window) == 0) return;
  // Every other window takes no input while this one is open.
  std::vector<QPointer<QWidget>> disabled;
  for (auto& [id, view] : windows_) {
    if (id != window && view.window->isEnabled()) {
      view.window->setEnabled(false);
      disabled.emplace_back(view.window);
    }
  }
  QEventLoop loop;
  modal_loops_[window] = &loop;
  if (model_->IsLoaded(window)) loop.exec();
  modal_loops_.erase(window);
  for (const QPointer<QWidget>& widget : disabled) {
    if (widget != nullptr) widget->setEnabled(true);
  }
}

void QtView::Build(WindowId window) {
  const WindowLayout& layout = model_->LayoutOf(window);
  const LayoutEntry& own = layout.entries.front();
  ViewWindow view;
  view.window = new TopWindow(QSize(own.width, own.height), own.style & kStyleSizeable);
  view.window->setWindowTitle(ToQt(own.text));
  const QString window_name = own.name.empty() ? ToQt(own.text) : ToQt(own.name);
  view.window->setObjectName(window_name);
  view.window->setAccessibleName(window_name);
  view.window->SetCloseRequest([this, window] { RequestClose(window); });

  const std::size_t count = layout.entries.size();
  view.controls.assign(count, nullptr);
  view.controls[0] = view.window;
  view.pending.assign(count, false);
  std::vector<std::size_t> now;
  for (std::size_t i = 1; i < count; ++i) {
    if (model_->OnSelectedPages(ControlRef{layout.entries[i].type, window, static_cast<int>(i)})) {
      now.push_back(i);
    } else {
      view.pending[i] = true;
    }
  }
  windows_[window] = view;
  BuildControls(window, now);
}

void QtView::BuildPending(WindowId window) {
  if (building_ || model_ == nullptr) return;
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  const WindowLayout& layout = model_->LayoutOf(window);
  std::vector<std::size_t> now;
  for (std::size_t i = 1; i < found->second.pending.size(); ++i) {
    if (found->second.pending[i] &&
        model_->OnSelectedPages(ControlRef{layout.entries[i].type, window, static_cast<int>(i)})) {
      now.push_back(i);
    }
  }
  if (!now.empty()) BuildControls(window, now);
}

void QtView::BuildControls(WindowId window, const std::vector<std::size_t>& entries) {
  const WindowLayout& layout = model_->LayoutOf(window);
  ViewWindow& view = windows_[window];
  const std::size_t count = layout.entries.size();
  building_ = true;
  for (std::size_t i : entries) {
    view.pending[i] = false;
    view.controls[i] = CreateControlWidget(layout.entries[i], view.window);
  }
  // Parents may come later in control order than their children: place in a second pass.
  for (std::size_t i : entries) {
    QWidget* widget = view.controls[i];
    if (widget == nullptr) continue;
    const LayoutEntry& entry = layout.entries[i];
    QWidget* parent = view.window;
    const auto parent_index = static_cast<std::size_t>(entry.parent);
    if (parent_index > 0 && parent_index < count && view.controls[parent_index] != nullptr) {
      parent = ChildHolder(view.controls[parent_index], layout.entries[parent_index], entry.page);
    }
    if (parent != widget->parentWidget()) widget->setParent(parent);
    view.window->Place(widget, QRect(entry.left, entry.top, entry.width, entry.height));
    const QString name = ToQt(entry.name);
    widget->setObjectName(name);
    widget->setAccessibleName(name);
    if (!(entry.flags & kFlagTabStop) && (widget->focusPolicy() & Qt::TabFocus)) {
      widget->setFocusPolicy(Qt::ClickFocus);
    }
  }
  // Each control lies behind the previous sibling: the first in control order is on top. The
  // siblings of a control are all on one page, so they are built together.
  for (std::size_t i : entries) {
    QWidget* widget = view.controls[i];
    if (widget == nullptr) continue;
    widget->lower();
    if (!(layout.entries[i].flags & kFlagTabStop)) continue;
    // Tab order is control order: after the nearest earlier tab stop that has a widget.
    for (std::size_t before = i - 1; before > 0; --before) {
      QWidget* previous = view.controls[before];
      if (previous != nullptr && (layout.entries[before].flags & kFlagTabStop)) {
        QWidget::setTabOrder(previous, widget);
        break;
      }
    }
  }
  for (std::size_t i : entries) {
    QWidget* widget = view.controls[i];
    if (widget == nullptr) continue;
    const ControlRef control{layout.entries[i].type, window, static_cast<int>(i)};
    ApplyAll(control, widget);
    Bind(control, widget);
  }
  building_ = false;
}

void QtView::Show(WindowId window) {
  const auto found = windows_.find(window);
  if (found == windows_.end() || found->second.shown) return;
  found->second.shown = true;
  TopWindow* widget = found->second.window;
  widget->CentreOnScreen();
  widget->show();
  widget->raise();
  widget->activateWindow();
}

bool QtView::Live(const ControlRef& control) const {
  return model_ != nullptr && model_->IsLoaded(control.window) &&
         windows_.count(control.window) != 0;
}

void QtView::RequestClose(WindowId window) {
  if (model_ == nullptr || !model_->IsLoaded(window)) return;
  const QWidget* widget = WindowWidget(window);
  // A window behind an open modal window cannot be closed.
  if (widget == nullptr || !widget->isEnabled() || model_->ActiveWindow() != window) return;
  {
    const UserAction action(*this);
    model_->UserClose(window);
  }
  // The model counts the program as finished only once the close has gone through.
  if (model_ != nullptr && model_->Finished() && finished_) finished_();
}

void QtView::Bind(const ControlRef& control, QWidget* widget) {
  switch (control.type) {
    case ControlType::kButton:
      QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, widget,
                       [this, control] {
                         if (!Live(control)) return;
                         const UserAction action(*this);
                         model_->UserClick(control);
                       });
      break;
    case ControlType::kCheckBox:
      QObject::connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, widget,
                       [this, control, widget] {
                         if (!Live(control)) return;
                         const UserAction action(*this);
                         model_->UserToggle(control);
                         if (Live(control)) Apply(control, widget, Property::kChecked);
                       });
      break;
    case ControlType::kEditBox:
      if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(line, &QLineEdit::textEdited, widget,
                         [this, control](const QString& text) {
                           if (Live(control)) model_->UserReplaceText(control, FromQt(text));
                         });
      } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        // A multi-line box may hold a long text: it is converted when the model reads it, not
        // on every keystroke.
        QObject::connect(edit, &QPlainTextEdit::textChanged, widget, [this, control, edit] {
          if (Live(control)) {
            model_->UserEditText(control, [edit] { return FromQtLines(edit->toPlainText()); });
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
                           model_->UserPickEntry(control, index);
                         });
                       });
      break;
    case ControlType::kListBox: {
      auto* list = static_cast<ListBox*>(widget);
      QObject::connect(list, &QListWidget::currentRowChanged, widget, [this, control](int row) {
        if (Live(control)) model_->UserSelectListItem(control, row);
      });
      list->SetToolTipSource([this, control](int row) {
        return Live(control) ? ToQtLines(model_->ItemText(control, row)) : QString();
      });
      break;
    }
    case ControlType::kTab: {
      auto* tab = static_cast<TabControl*>(widget);
      QObject::connect(tab->bar(), &QTabBar::currentChanged, widget,
                       [this, control, widget](int page) {
                         if (!Live(control)) return;
                         model_->UserSelectPage(control, page);
                         if (Live(control)) Apply(control, widget, Property::kPage);
                       });
      break;
    }
    case ControlType::kDatePicker:
      QObject::connect(static_cast<QDateEdit*>(widget), &QDateEdit::dateChanged, widget,
                       [this, control](QDate day) {
                         if (Live(control) && day.isValid()) {
                           model_->UserPickDate(control, WithDay(model_->Date(control), day));
                         }
                       });
      break;
    default:
      break;
  }
}

void QtView::ApplyAll(const ControlRef& control, QWidget* widget) {
  switch (control.type) {
    case ControlType::kGroupBox:
    case ControlType::kLabel:
    case ControlType::kButton:
      Apply(control, widget, Property::kCaption);
      break;
    case ControlType::kCheckBox:
      Apply(control, widget, Property::kCaption);
      Apply(control, widget, Property::kChecked);
      break;
    case ControlType::kEditBox:
      Apply(control, widget, Property::kText);
      break;
    case ControlType::kComboBox:
    case ControlType::kListBox:
      Apply(control, widget, Property::kItems);
      break;
    case ControlType::kTab:
      Apply(control, widget, Property::kPage);
      break;
    case ControlType::kDatePicker:
      Apply(control, widget, Property::kDate);
      break;
    default:
      break;
  }
  widget->setEnabled(model_->Enabled(control));
  widget->setVisible(model_->Visible(control));
}

void QtView::Apply(const ControlRef& control, QWidget* widget, Property property) {
  const QSignalBlocker blocker(widget);
  switch (property) {
    case Property::kCaption: {
      const QString caption = ToQtLines(model_->Caption(control));
      if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(caption);
      } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(caption);
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(caption);
      }
      break;
    }
    case Property::kChecked:
      if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(model_->Checked(control));
      break;
    case Property::kVisible:
      if (control.control != 0) widget->setVisible(model_->Visible(control));
      break;
    case Property::kText: {
      const std::string text = model_->Text(control);
      if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        const QString shown = ToQt(text);
        if (line->text() != shown) line->setText(shown);
      } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        const QString shown = ToQtLines(text);
        if (edit->toPlainText() != shown) edit->setPlainText(shown);
      }
      break;
    }
    case Property::kItems:
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStringList texts;
        for (const ComboEntry& entry : model_->Combo(control).Entries()) {
          texts.append(ToQtLines(entry.text));
        }
        combo->clear();
        combo->addItems(texts);
      } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QStringList texts;
        for (const ComboEntry& entry : model_->Combo(control).Entries()) {
          texts.append(ListEntryDisplay(entry.text));
        }
        list->clear();
        list->addItems(texts);
      }
      Apply(control, widget, Property::kSelection);
      break;
    case Property::kSelection: {
      const int selection = model_->Selection(control);
      if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(selection);
      } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->setCurrentRow(selection);
        if (selection < 0) list->clearSelection();
      }
      break;
    }
    case Property::kPage:
      if (auto* tab = dynamic_cast<TabControl*>(widget)) {
        tab->ShowPage(model_->Page(control));
        BuildPending(control.window);
      }
      break;
    case Property::kDate:
      if (auto* date = qobject_cast<QDateEdit*>(widget)) {
        date->setDateTime(ToQtDateTime(model_->Date(control)));
      }
      break;
  }
}

}  // namespace velmora
