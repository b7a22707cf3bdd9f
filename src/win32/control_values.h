#pragma once

// The model's values put onto control windows, whichever kind of control shows them. Rows go
// to a list box (list true) or the list of a combo box.

#include "win32/system_headers.h"

#include <string_view>
#include <vector>

#include "runtime/date_time.h"
#include "ui/combo_state.h"
#include "ui/control_model.h"

namespace velmora {

void ShowWindowText(HWND handle, std::string_view gbk);
void ShowDate(HWND date_picker, DateTime value);
int RowCountOf(HWND handle, bool list);
// Every row anew, drawn once at the end.
void ShowRows(HWND handle, bool list, const std::vector<ComboEntry>& entries);
// Only the rows that changed; the change fits the rows shown.
void ReplaceRowsOf(HWND handle, bool list, const std::vector<ComboEntry>& entries,
                   const ItemChange& change);

}  // namespace velmora
