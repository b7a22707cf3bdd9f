#pragma once

// Visual style 1 on the native controls: edit boxes framed by two one-pixel frames (outer in the
// frame colour, inner in the window colour), and push buttons, check boxes, group boxes and
// drop-down list boxes drawn in the same palette. List boxes, tab controls and date pickers keep
// the system drawing.

#include "win32/system_headers.h"

namespace velmora {

inline constexpr COLORREF kFrameColour = RGB(123, 158, 189);

// The border of an edit box, over what the system drew in its non-client area.
void PaintEditFrame(HWND edit);
void PaintGroupBox(HWND group, HDC dc);
// A drop-down list box: the edit box's frames around the chosen entry, the arrow on a button face.
void PaintComboBox(HWND combo, HDC dc);
// The border of a combo box's drop-down list, over the system's one-pixel border.
void PaintDropDownFrame(HWND list);
// Owner drawing of a push button (hot: under the mouse), and of a check box with the tick the
// model holds.
void DrawPushButton(const DRAWITEMSTRUCT& item, bool hot);
void DrawCheckBox(const DRAWITEMSTRUCT& item, bool checked, bool centred);

}  // namespace velmora
