#pragma once

// The headless control model: windows loaded from the layout, controls addressed by reference,
// properties with their side effects, list and combo box operations, event binding and
// dispatch, and the user actions that a view or a script reports. Texts are GBK.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/clock.h"
#include "runtime/date_time.h"
#include "ui/combo_state.h"
#include "ui/control_types.h"
#include "ui/layout.h"

namespace velmora {

using WindowId = int;  // 0: no window; every load gives a new identifier

// (type, window, control). control is the index of the layout entry; 0 is the window itself.
struct ControlRef {
  ControlType type = ControlType::kWindow;
  WindowId window = 0;
  int control = 0;
  bool operator==(const ControlRef&) const = default;
};

enum class Property {
  kCaption,
  kChecked,
  kVisible,
  kText,
  kSelection,  // combo box selection or list box selection
  kItems,      // list or combo box entries changed (the selection may have moved with them)
  kPage,       // tab control page
  kDate,
};

// Which entries of a list or combo box changed: from `first` on, `removed` entries gave way to
// `inserted` new ones (the selection may have moved with them).
struct ItemChange {
  int first = 0;
  int removed = 0;
  int inserted = 0;
};

// A view (the Qt windows) follows the model through these notifications. Model writes reach
// the view here; the view reports user actions back through the User* operations.
class ModelObserver {
 public:
  virtual ~ModelObserver() = default;
  virtual void WindowCreated(WindowId window) = 0;  // all controls exist, before `created`
  virtual void WindowShown(WindowId window) = 0;    // after `created`, visible now
  virtual void WindowClosed(WindowId window) = 0;   // destroyed, no longer loaded
  virtual void PropertyChanged(const ControlRef& control, Property property) = 0;
  virtual void VisualStyleChanged(int style_number) = 0;
  // Entries added, deleted or replaced; an observer that does not follow single entries takes
  // it as a change of all of them.
  virtual void ItemsChanged(const ControlRef& control, const ItemChange& /*change*/) {
    PropertyChanged(control, Property::kItems);
  }
};

// Runs modal work nested: it takes the next user actions until the window is closed.
class ModalHost {
 public:
  virtual ~ModalHost() = default;
  virtual void RunModal(WindowId window) = 0;
};

// What a handler learns of the event that runs it: the window it belongs to (the window whose
// control raised the event, or that raised it itself) and the argument of the layout's binding.
struct EventContext {
  WindowId window = 0;
  int argument = 0;
};

using Handler = std::function<void(const EventContext& event)>;

class ControlModel {
 public:
  explicit ControlModel(const Clock& clock);
  ~ControlModel();
  ControlModel(const ControlModel&) = delete;
  ControlModel& operator=(const ControlModel&) = delete;

  void SetHandler(HandlerId id, Handler handler);
  void SetObserver(ModelObserver* observer);
  void SetModalHost(ModalHost* host);

  // Creates every control, raises `created` before the window shows; with modal set, other
  // windows take no input and the call returns only when the window has been closed.
  WindowId LoadWindow(WindowKind kind, bool modal);
  bool IsLoaded(WindowId window) const;
  // False while a modal window keeps this one from input (and when it is not loaded).
  bool WindowEnabled(WindowId window) const;
  WindowKind KindOf(WindowId window) const;
  const WindowLayout& LayoutOf(WindowId window) const;
  // The window that takes user input: the newest modal window while one is open.
  WindowId ActiveWindow() const;
  ControlRef WindowRef(WindowId window) const;
  // True once the last window has closed; the program then ends with exit code 0.
  bool Finished() const;

  // Controls whose name matches the pattern (a prefix, or after "@" the exact name) and whose
  // type name equals type_name when one is given, in control order. Anything but a window
  // reference gives none.
  std::vector<ControlRef> FindControls(const ControlRef& window, std::string_view pattern = {},
                                       std::string_view type_name = {}) const;
  // The control of that exact name, or an empty reference (window 0).
  ControlRef Find(WindowId window, std::string_view name) const;
  // All controls of a window in control order (the window's own entry excluded).
  std::vector<ControlRef> Controls(WindowId window) const;

  // Properties. Accessing a control of a window that is not loaded ends the program with the
  // fatal error report.
  std::string Name(const ControlRef& control) const;
  std::string Mark(const ControlRef& control) const;
  const LayoutEntry& Entry(const ControlRef& control) const;
  bool Visible(const ControlRef& control) const;  // the remembered visible property
  void SetVisible(const ControlRef& control, bool visible);
  // Visible, enabled, and on the selected page of every tab control above it, up to the window.
  bool OnScreen(const ControlRef& control) const;
  // On the selected page of every tab control above it, whatever is visible.
  bool OnSelectedPages(const ControlRef& control) const;
  bool Enabled(const ControlRef& control) const;
  std::string Caption(const ControlRef& control) const;
  void SetCaption(const ControlRef& control, std::string_view caption);
  bool Checked(const ControlRef& control) const;
  void SetChecked(const ControlRef& control, bool checked);  // raises nothing
  // Edit box: the write raises `content changed` once, nested in the write, even for the same
  // text. Combo box: the text stays that of the selected entry; observers still hear of it.
  std::string Text(const ControlRef& control) const;
  // The same without a copy, valid until the control changes: for texts that may run long.
  std::string_view TextView(const ControlRef& control) const;
  void SetText(const ControlRef& control, std::string_view text);
  // The same for a text the caller no longer needs, which the box takes over without a copy.
  void TakeText(const ControlRef& control, std::string&& text);
  int Selection(const ControlRef& control) const;
  void SetSelection(const ControlRef& control, int index);  // combo: clamps, raises nothing
  int Page(const ControlRef& control) const;                // tab control: the selected page
  DateTime Date(const ControlRef& control) const;

  // List box and combo box operations.
  int ItemCount(const ControlRef& control) const;
  std::string ItemText(const ControlRef& control, int index) const;
  int ItemValue(const ControlRef& control, int index) const;
  int AddItem(const ControlRef& control, std::string_view text, int value = 0);
  bool DeleteItem(const ControlRef& control, int index);
  void ClearItems(const ControlRef& control);
  // All entries replaced by these texts (value 0), as ClearItems and AddItem for each would leave
  // them; the observer hears of it once, as the one run of entries that differs.
  void SetItems(const ControlRef& control, std::vector<std::string> texts);
  int FindItem(const ControlRef& control, std::string_view text) const;
  const ComboState& Combo(const ControlRef& control) const;
  void SetCombo(const ControlRef& control, ComboState state);

  void SetVisualStyle(int style_number);
  int VisualStyle() const;  // 0 until switched on

  // User actions, as a view or a script reports them.
  void UserClick(const ControlRef& button);      // `clicked`
  void UserToggle(const ControlRef& check_box);  // tick toggles, then `clicked`
  void UserReplaceText(const ControlRef& edit_box, std::string_view text);  // `content changed`
  // The same for a view that holds the text itself: read_text gives it when the model next
  // needs it, so that a keystroke in a long text converts nothing. The view must keep
  // read_text callable while the window is loaded.
  void UserEditText(const ControlRef& edit_box, std::function<std::string()> read_text);
  void UserPickEntry(const ControlRef& combo_box, int index);  // then `list item selected`
  void UserSelectListItem(const ControlRef& list_box, int index);
  void UserSelectPage(const ControlRef& tab, int page);
  void UserPickDate(const ControlRef& date_box, DateTime value);
  void UserClose(WindowId window);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The element of a control list, or the empty reference for an index outside it.
ControlRef ControlAt(const std::vector<ControlRef>& list, int index);
// Raises runtime error 5 at the given place unless the reference is of the expected type.
ControlRef RequireType(const ControlRef& control, ControlType expected, int first_place,
                       int second_place);

}  // namespace velmora
