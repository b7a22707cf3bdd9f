#pragma once

// The live controls of the loaded windows: their properties and list entries, and the side
// effects of writing them. A control of a window that is not loaded ends the program with the
// fatal error report, so callers never see a missing control.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/clock.h"
#include "runtime/date_time.h"
#include "ui/combo_state.h"
#include "ui/control_ref.h"
#include "ui/event_dispatch.h"
#include "ui/model_observer.h"
#include "ui/window_stack.h"

namespace velmora {

class ControlStore {
 public:
  ControlStore(const WindowStack& windows, const EventDispatch& events)
      : windows_(windows), events_(events) {}

  // Properties. Accessing a control of a window that is not loaded ends the program with the
  // fatal error report.
  std::string Mark(const ControlRef& control) const;
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

  // User actions, as a view or a script reports them.
  void UserClick(const ControlRef& button) const;  // `clicked`
  void UserToggle(const ControlRef& check_box);    // tick toggles, then `clicked`
  void UserReplaceText(const ControlRef& edit_box, std::string_view text);  // `content changed`
  // The same for a view that holds the text itself: read_text gives it when the model next
  // needs it, so that a keystroke in a long text converts nothing. The view must keep
  // read_text callable while the window is loaded.
  void UserEditText(const ControlRef& edit_box, std::function<std::string()> read_text);
  void UserPickEntry(const ControlRef& combo_box, int index);  // then `list item selected`
  void UserSelectListItem(const ControlRef& list_box, int index);
  void UserSelectPage(const ControlRef& tab, int page);
  void UserPickDate(const ControlRef& date_box, DateTime value);

 protected:
  // For the model, which loads and closes windows. Every control of the window as its layout
  // creates it; a date box holds now. The clock is read only for a window with a date box: the
  // first local time of a process looks up the time zone, which a start need not wait for.
  void Create(WindowId window, const Clock& clock);
  void Destroy(WindowId window);

 private:
  // What a live control holds beyond its layout entry.
  struct ControlState {
    std::string text;  // caption, edit box text, window title
    // An edit box the user typed into: its view gives the current text when it is next read.
    std::function<std::string()> pending_text;
    bool checked = false;
    bool visible = false;  // remembered, whether or not the control is on screen
    int page = 0;          // tab control
    DateTime date = 0;     // date box
    ComboState items;      // combo box and list box entries with their selection
  };
  enum class Access { kRead, kWrite };

  static ControlState InitialState(const LayoutEntry& entry, DateTime now);

  const ControlState& Live(const ControlRef& control, Access access) const;
  ControlState& Live(const ControlRef& control, Access access);
  // Live(), with a text the user typed taken over from the view first.
  const ControlState& Current(const ControlRef& control) const;
  ControlType TypeOf(const ControlRef& control) const { return windows_.Entry(control).type; }
  // The one walk from a control up its parents to the window: true when every tab control on
  // the way shows the page the control is on and, with need_shown, every control on the
  // way is visible and enabled.
  bool HoldersAllow(const ControlRef& control, bool need_shown) const;

  const WindowStack& windows_;
  const EventDispatch& events_;
  std::map<WindowId, std::vector<ControlState>> controls_;  // one per layout entry, [0] the window
};

}  // namespace velmora
