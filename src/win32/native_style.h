#pragma once

// Visual style 1 on the native controls: edit boxes framed by two one-pixel frames (outer in the
// frame colour, inner in the window colour), and push buttons, check boxes and group boxes
// drawn in the same palette. List boxes, tab controls and date pickers keep the system drawing.

#include "win32/system_headers.h"

namespace velmora {

inline constexpr COLORREF kFrameColour = RGB(123, 158, 189);

// The border of an edit box, over what the system drew in its non-client area.
void PaintEditFrame(HWND edit);
void PaintGroupBox(HWND group, HDC dc);
// Owner drawing of a push button, and of a check box with the tick the model holds.
void DrawPushButton(const DRAWITEMSTRUCT& item);
void DrawCheckBox(const DRAWITEMSTRUCT& item, bool checked, bool centred);

}  // namespace velmora
