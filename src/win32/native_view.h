#pragma once

#include "win32/system_headers.h"

#include <map>
#include <unordered_map>
#include <vector>

#include "ui/model_view.h"
#include "win32/styled_controls.h"

namespace velmora {

// The Win32 front end of the control model: creates control windows from the layout, sets one
// property on a control window at a time, and reports the windows' notifications to the model
// as user actions. ModelView decides when controls are created and when model writes are
// applied.
class NativeView final : public ModelView {
 public:
  explicit NativeView(HINSTANCE instance);
  ~NativeView() override;
  NativeView(const NativeView&) = delete;
  NativeView& operator=(const NativeView&) = delete;

  // The window that takes user input, as owner of the dialogs; nullptr for none.
  HWND ActiveWindowHandle() const;
  // Keyboard navigation between the controls of a window; true when the message was used.
  bool TranslateDialogKeys(MSG& message);

  void VisualStyleChanged(int style_number) override;

 private:
  struct ViewWindow {
    HWND handle = nullptr;
    int dpi = 96;
    std::vector<HWND> controls;              // by layout entry; [0] is the window, null until built
    std::map<int, std::vector<HWND>> pages;  // by tab control entry
    HWND focus = nullptr;                    // the control that had the focus last
  };

  static constexpr UINT_PTR kSubclassId = 1;
  // Posted by a combo box choice, so that the choice is reported once the selection is in place.
  static constexpr UINT kPickMessage = WM_APP + 1;
  // Posted by the view to itself: applies the model writes deferred during a user action.
  static constexpr UINT kFlushMessage = WM_APP + 2;

  void CreateTopWindow(WindowId window, const LayoutEntry& own) override;
  void CreateControl(const ControlRef& control, const ControlLook& look) override;
  void StackControl(const ControlRef& control, int previous) override;
  void SetProperty(const ControlRef& control, Property property) override;
  int RowCount(const ControlRef& control) const override;
  void ReplaceRows(const ControlRef& control, const ItemChange& change) override;
  void ShowTopWindow(WindowId window) override;
  void DestroyTopWindow(WindowId window) override;
  void EnableTopWindow(WindowId window, bool enabled) override;
  void RunEventLoop(WindowId window) override;
  void PostFlush() override;
  void ProgramFinished() override;

  static LRESULT CALLBACK TopProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR view);
  LRESULT TopMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT ControlMessage(HWND control, UINT message, WPARAM wparam, LPARAM lparam);

  void Rescale(WindowId window, ViewWindow& view, int dpi);
  const ControlRef* RefOf(HWND control) const;
  HWND HandleOf(const ControlRef& control) const;
  void Command(HWND control, int code);
  void Notify(const NMHDR& header);
  void PickPosted(HWND combo);
  // The page or the date now on the control, as the user's choice.
  void ReportChoice(const ControlRef& control, HWND handle);
  void ShowPage(const ControlRef& tab, int page);

  HINSTANCE instance_;
  std::map<WindowId, ViewWindow> windows_;
  std::unordered_map<HWND, ControlRef> refs_;
  int applying_ = 0;  // model writes in progress: their notifications are not user actions
  StyledControls style_;
};

}  // namespace velmora
