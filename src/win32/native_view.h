#pragma once

#include "win32/system_headers.h"

#include <map>
#include <unordered_map>
#include <vector>

#include "ui/control_model.h"
#include "ui/early_windows.h"

namespace velmora {

// The native windows of the control model. Model writes reach the control windows here without
// raising user events; real user input on a control is reported back through the model's User*
// actions.
class NativeView final : public ModelObserver, public ModalHost {
 public:
  explicit NativeView(HINSTANCE instance);
  ~NativeView() override;
  NativeView(const NativeView&) = delete;
  NativeView& operator=(const NativeView&) = delete;

  // The view gets the model only after start-up, when the main window has been created (and
  // its `created` event has run) inside it; windows created before are built from the
  // model's state now, and only then shown.
  void Attach(ControlModel& model);
  // Before the model goes: the windows stay until the view goes, but report nothing more.
  void Detach();

  // The window that takes user input, as owner of the dialogs; nullptr for none.
  HWND ActiveWindowHandle() const;
  // Keyboard navigation between the controls of a window; true when the message was used.
  bool TranslateDialogKeys(MSG& message);

  void WindowCreated(WindowId window) override;
  void WindowShown(WindowId window) override;
  void WindowClosed(WindowId window) override;
  void PropertyChanged(const ControlRef& control, Property property) override;
  void ItemsChanged(const ControlRef& control, const ItemChange& change) override;
  void VisualStyleChanged(int style_number) override;
  void RunModal(WindowId window) override;

 private:
  struct ViewWindow {
    HWND handle = nullptr;
    int dpi = 96;
    std::vector<HWND> controls;              // by layout entry; [0] is the window, bridges null
    std::map<int, std::vector<HWND>> pages;  // by tab control entry
    std::vector<HWND> disabled;              // top windows this modal window disabled
    HWND focus = nullptr;                    // the control that had the focus last
    bool shown = false;
  };

  static constexpr UINT_PTR kSubclassId = 1;

  static LRESULT CALLBACK TopProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR view);
  LRESULT TopMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT ControlMessage(HWND control, UINT message, WPARAM wparam, LPARAM lparam);

  void Build(WindowId window);
  // The control window of an entry, after its parent's; a parent made before its turn in
  // control order is noted in made_early.
  HWND CreateEntry(WindowId window, ViewWindow& view, std::size_t entry,
                   std::vector<std::size_t>& made_early);
  void Rescale(WindowId window, ViewWindow& view, int dpi);
  void Show(WindowId window);
  void RequestClose(WindowId window);
  bool Live(const ControlRef& control) const;
  const ControlRef* RefOf(HWND control) const;
  HWND HandleOf(const ControlRef& control) const;
  void Command(HWND control, int code);
  void Notify(const NMHDR& header);
  void PickPosted(HWND combo);
  // The page or the date now on the control, as the user's choice.
  void ReportChoice(const ControlRef& control, HWND handle);
  // What creation left to set: ticks, entries, pages, dates.
  void ApplyState(const ControlRef& control, HWND handle);
  void Apply(const ControlRef& control, HWND handle, Property property);
  void ApplyRows(const ControlRef& control, HWND handle, const ItemChange& change);
  void ShowPage(const ControlRef& tab, int page);
  void TakeStyle(const ControlRef& control, HWND handle);

  HINSTANCE instance_;
  ControlModel* model_ = nullptr;
  std::map<WindowId, ViewWindow> windows_;
  std::unordered_map<HWND, ControlRef> refs_;
  EarlyWindows early_;
  int applying_ = 0;  // model writes in progress: the notifications they cause are no user's
  bool styled_ = false;
  HWND hot_button_ = nullptr;  // the push button under the mouse
};

}  // namespace velmora
