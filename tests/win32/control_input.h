#pragma once

// Acting on the controls of another process as a user would: clicks and typed characters go
// to the control itself, so that it raises its own notifications; where a control takes a
// pointer, the data is placed in the control's process.

#include <windows.h>

#include <string_view>

namespace velmora {

// A click on a button or check box that returns once its handler has run; for handlers that
// show nothing modal.
void Click(HWND button);
// A click that returns at once, for buttons whose handler shows a modal window.
void ClickLater(HWND button);
// Types text into an edit box, character by character, each handled before the next.
void Type(HWND edit, std::wstring_view text);
// Clicks the tab of page index; whether the tab control could be asked where it is.
bool ClickTab(HANDLE process, HWND tab, int index);
// Sets the date picker's date and has the picker tell its parent, as a pick by the user does;
// whether the picker shows the date afterwards.
bool PickDate(HANDLE process, HWND picker, const SYSTEMTIME& date);
// Clicks the button of a dialog with the given ID, then waits for the dialog to be gone.
bool Answer(HWND dialog, int button_id);

}  // namespace velmora
