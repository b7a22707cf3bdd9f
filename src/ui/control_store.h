#pragma once

// The live controls of the loaded windows: their properties and list entries, and the side
// effects of writing them. A control of a window that is not loaded ends the program with the
// fatal error report, so callers never see a missing control.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_model.h"
#include "ui/event_dispatch.h"
#include "ui/window_stack.h"

namespace velmora {

class ControlStore {
 public:
  ControlStore(const WindowStack& windows, const EventDispatch& events)
      : windows_(windows), events_(events) {}

  // Every control of the window as its layout creates it; a date box holds now.
  void Create(WindowId window, DateTime now);
  void Destroy(WindowId window);

  std::string Mark(const ControlRef& control) const;
  bool Visible(const ControlRef& control) const;
  void SetVisible(const ControlRef& control, bool visible);
  bool OnScreen(const ControlRef& control) const;
  bool OnSelectedPages(const ControlRef& control) const;
  bool Enabled(const ControlRef& control) const;
  std::string Caption(const ControlRef& control) const;
  void SetCaption(const ControlRef& control, std::string_view caption);
  bool Checked(const ControlRef& control) const;
  void SetChecked(const ControlRef& control, bool checked);
  void Toggle(const ControlRef& check_box);
  std::string Text(const ControlRef& control) const;
  std::string_view TextView(const ControlRef& control) const;
  void SetText(const ControlRef& control, std::string text);
  void EditText(const ControlRef& edit_box, std::function<std::string()> read_text);
  int Selection(const ControlRef& control) const;
  void SetSelection(const ControlRef& control, int index);
  void PickEntry(const ControlRef& combo_box, int index);
  void SelectListItem(const ControlRef& list_box, int index);
  int Page(const ControlRef& control) const;
  void SelectPage(const ControlRef& tab, int page);
  DateTime Date(const ControlRef& control) const;
  void PickDate(const ControlRef& date_box, DateTime value);
  void Click(const ControlRef& button) const;

  int ItemCount(const ControlRef& control) const;
  std::string ItemText(const ControlRef& control, int index) const;
  int ItemValue(const ControlRef& control, int index) const;
  int AddItem(const ControlRef& control, std::string_view text, int value);
  bool DeleteItem(const ControlRef& control, int index);
  void ClearItems(const ControlRef& control);
  void SetItems(const ControlRef& control, std::vector<std::string> texts);
  int FindItem(const ControlRef& control, std::string_view text) const;
  const ComboState& Combo(const ControlRef& control) const;
  void SetCombo(const ControlRef& control, ComboState state);

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
  // the way shows the page the control stands on and, with need_shown, every control on the
  // way is visible and enabled.
  bool HoldersAllow(const ControlRef& control, bool need_shown) const;

  const WindowStack& windows_;
  const EventDispatch& events_;
  std::map<WindowId, std::vector<ControlState>> controls_;  // one per layout entry, [0] the window
};

}  // namespace velmora
