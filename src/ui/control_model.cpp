// ControlModel sequences its parts for loading and closing a window and hands everything else to
// the part whose job it is: the window stack, the control store, event dispatch and the query.

#include "ui/control_model.h"

#include <utility>

#include "ui/control_query.h"
#include "ui/control_store.h"
#include "ui/event_dispatch.h"
#include "ui/window_stack.h"

namespace velmora {

struct ControlModel::Impl {
  explicit Impl(const Clock& clock_in)
      : clock(clock_in), events(windows), store(windows, events), query(windows) {}

  const Clock& clock;
  WindowStack windows;
  EventDispatch events;
  ControlStore store;
  ControlQuery query;
  int visual_style = 0;
};

ControlModel::ControlModel(const Clock& clock) : impl_(std::make_unique<Impl>(clock)) {}

ControlModel::~ControlModel() = default;

void ControlModel::SetHandler(HandlerId id, Handler handler) {
  impl_->events.SetHandler(id, std::move(handler));
}

void ControlModel::SetObserver(ModelObserver* observer) { impl_->events.SetObserver(observer); }

void ControlModel::SetModalHost(ModalHost* host) { impl_->events.SetModalHost(host); }

// ---- windows ----

WindowId ControlModel::LoadWindow(WindowKind kind, bool modal) {
  // Loading a window that is already loaded only brings it forward.
  if (const WindowId loaded = impl_->windows.LoadedOfKind(kind); loaded != 0) {
    return loaded;
  }
  const WindowId id = impl_->windows.Open(kind, modal);
  // Loaded from here on: the `created` handler reads and writes the controls.
  impl_->store.Create(id, impl_->clock.Now());
  impl_->events.WindowCreated(id);
  impl_->events.Raise(WindowRef(id), kEventCreated);
  if (!impl_->windows.IsLoaded(id)) {
    return id;  // the handler closed it
  }
  if (modal) {
    impl_->windows.DisableOthers(id);
  }
  impl_->windows.Show(id);
  impl_->events.WindowShown(id);
  if (modal) {
    impl_->events.RunModal(id);
  }
  return id;
}

void ControlModel::UserClose(WindowId window) {
  if (!impl_->windows.BeginClose(window)) {
    return;
  }
  impl_->events.Raise(WindowRef(window), kEventAboutToBeDestroyed);
  impl_->windows.FinishClose(window);
  impl_->store.Destroy(window);
  impl_->events.WindowClosed(window);
  impl_->windows.NoteClosed();
}

bool ControlModel::IsLoaded(WindowId window) const { return impl_->windows.IsLoaded(window); }

bool ControlModel::WindowEnabled(WindowId window) const { return impl_->windows.Enabled(window); }

WindowKind ControlModel::KindOf(WindowId window) const { return impl_->windows.KindOf(window); }

const WindowLayout& ControlModel::LayoutOf(WindowId window) const {
  return impl_->windows.LayoutOf(window);
}

WindowId ControlModel::ActiveWindow() const { return impl_->windows.Active(); }

ControlRef ControlModel::WindowRef(WindowId window) const {
  return ControlRef{ControlType::kWindow, window, 0};
}

bool ControlModel::Finished() const { return impl_->windows.Finished(); }

// ---- finding controls ----

std::vector<ControlRef> ControlModel::FindControls(const ControlRef& window,
                                                   std::string_view pattern,
                                                   std::string_view type_name) const {
  return impl_->query.FindControls(window, pattern, type_name);
}

ControlRef ControlModel::Find(WindowId window, std::string_view name) const {
  return impl_->query.Find(window, name);
}

std::vector<ControlRef> ControlModel::Controls(WindowId window) const {
  return impl_->query.Controls(window);
}

// ---- properties ----

std::string ControlModel::Name(const ControlRef& control) const {
  return impl_->windows.Entry(control).name;
}

std::string ControlModel::Mark(const ControlRef& control) const {
  return impl_->store.Mark(control);
}

const LayoutEntry& ControlModel::Entry(const ControlRef& control) const {
  return impl_->windows.Entry(control);
}

bool ControlModel::Visible(const ControlRef& control) const {
  return impl_->store.Visible(control);
}

void ControlModel::SetVisible(const ControlRef& control, bool visible) {
  impl_->store.SetVisible(control, visible);
}

bool ControlModel::OnScreen(const ControlRef& control) const {
  return impl_->store.OnScreen(control);
}

bool ControlModel::OnSelectedPages(const ControlRef& control) const {
  return impl_->store.OnSelectedPages(control);
}

bool ControlModel::Enabled(const ControlRef& control) const {
  return impl_->store.Enabled(control);
}

std::string ControlModel::Caption(const ControlRef& control) const {
  return impl_->store.Caption(control);
}

void ControlModel::SetCaption(const ControlRef& control, std::string_view caption) {
  impl_->store.SetCaption(control, caption);
}

bool ControlModel::Checked(const ControlRef& control) const {
  return impl_->store.Checked(control);
}

void ControlModel::SetChecked(const ControlRef& control, bool checked) {
  impl_->store.SetChecked(control, checked);
}

std::string ControlModel::Text(const ControlRef& control) const {
  return impl_->store.Text(control);
}

std::string_view ControlModel::TextView(const ControlRef& control) const {
  return impl_->store.TextView(control);
}

void ControlModel::SetText(const ControlRef& control, std::string_view text) {
  impl_->store.SetText(control, std::string(text));
}

void ControlModel::TakeText(const ControlRef& control, std::string&& text) {
  impl_->store.SetText(control, std::move(text));
}

int ControlModel::Selection(const ControlRef& control) const {
  return impl_->store.Selection(control);
}

void ControlModel::SetSelection(const ControlRef& control, int index) {
  impl_->store.SetSelection(control, index);
}

int ControlModel::Page(const ControlRef& control) const { return impl_->store.Page(control); }

DateTime ControlModel::Date(const ControlRef& control) const { return impl_->store.Date(control); }

// ---- list and combo box entries ----

int ControlModel::ItemCount(const ControlRef& control) const {
  return impl_->store.ItemCount(control);
}

std::string ControlModel::ItemText(const ControlRef& control, int index) const {
  return impl_->store.ItemText(control, index);
}

int ControlModel::ItemValue(const ControlRef& control, int index) const {
  return impl_->store.ItemValue(control, index);
}

int ControlModel::AddItem(const ControlRef& control, std::string_view text, int value) {
  return impl_->store.AddItem(control, text, value);
}

bool ControlModel::DeleteItem(const ControlRef& control, int index) {
  return impl_->store.DeleteItem(control, index);
}

void ControlModel::ClearItems(const ControlRef& control) { impl_->store.ClearItems(control); }

void ControlModel::SetItems(const ControlRef& control, std::vector<std::string> texts) {
  impl_->store.SetItems(control, std::move(texts));
}

int ControlModel::FindItem(const ControlRef& control, std::string_view text) const {
  return impl_->store.FindItem(control, text);
}

const ComboState& ControlModel::Combo(const ControlRef& control) const {
  return impl_->store.Combo(control);
}

void ControlModel::SetCombo(const ControlRef& control, ComboState state) {
  impl_->store.SetCombo(control, std::move(state));
}

// ---- visual style ----

void ControlModel::SetVisualStyle(int style_number) {
  impl_->visual_style = style_number;
  impl_->events.VisualStyleChanged(style_number);
}

int ControlModel::VisualStyle() const { return impl_->visual_style; }

// ---- user actions ----

void ControlModel::UserClick(const ControlRef& button) { impl_->store.Click(button); }

void ControlModel::UserToggle(const ControlRef& check_box) { impl_->store.Toggle(check_box); }

void ControlModel::UserReplaceText(const ControlRef& edit_box, std::string_view text) {
  impl_->store.SetText(edit_box, std::string(text));
}

void ControlModel::UserEditText(const ControlRef& edit_box,
                                std::function<std::string()> read_text) {
  impl_->store.EditText(edit_box, std::move(read_text));
}

void ControlModel::UserPickEntry(const ControlRef& combo_box, int index) {
  impl_->store.PickEntry(combo_box, index);
}

void ControlModel::UserSelectListItem(const ControlRef& list_box, int index) {
  impl_->store.SelectListItem(list_box, index);
}

void ControlModel::UserSelectPage(const ControlRef& tab, int page) {
  impl_->store.SelectPage(tab, page);
}

void ControlModel::UserPickDate(const ControlRef& date_box, DateTime value) {
  impl_->store.PickDate(date_box, value);
}

}  // namespace velmora
