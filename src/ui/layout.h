#pragma once

// The window layout of both windows: read-only data, one entry per window and control, in
// control order. Texts are GBK.

#include <string>
#include <vector>

#include "ui/control_types.h"

namespace velmora {

enum LayoutFlag : unsigned {
  kFlagVisible = 1u << 0,
  kFlagDisabled = 1u << 1,
  kFlagTabStop = 1u << 2,
};

// Type-specific settings that shape a control's behaviour and look.
enum LayoutStyle : unsigned {
  kStyleMultiLine = 1u << 0,       // edit box: Enter inserts a line break, vertical scroll bar
  kStyleCentred = 1u << 1,         // edit box text / check box caption centred
  kStyleReadOnly = 1u << 2,        // edit box
  kStyleTicked = 1u << 3,          // check box ticked at creation
  kStyleDropDownList = 1u << 4,    // combo box: the user can only choose entries
  kStyleSizeable = 1u << 5,        // window: sizeable frame
  kStyleCentreOnScreen = 1u << 6,  // window: centred at creation
};

// Handlers of the logic that the layout binds events to.
enum class HandlerId {
  kNone,
  kStartupRoutine,
  kMainWindowDestroyed,
  kTagClicked,  // argument: the Tag number
  kNumberingToggle,
  kSectionTitleChanged,  // argument: the Section number
  kClearAll,
  kClearSelection,
  kClearSettings,
  kClearSections,
  kReadPreset,
  kAddPreset,
  kRenamePreset,
  kDeletePreset,
  kSavePreset,
  kPickPreset,
  kExportDocument,
  kOpenFolder,
  kOpenTimeDifference,
  kComputeTimeDifference,
};

// Event numbers: windows
inline constexpr int kEventCreated = 0;
inline constexpr int kEventMayClose = 1;
inline constexpr int kEventAboutToBeDestroyed = 2;
// Event number 0 of controls: clicked (button, check box), content changed (edit box),
// list item selected (combo box).
inline constexpr int kEventClicked = 0;
inline constexpr int kEventContentChanged = 0;
inline constexpr int kEventListItemSelected = 0;

struct EventBinding {
  int event = 0;
  HandlerId handler = HandlerId::kNone;
  int argument = 0;
};

struct LayoutEntry {
  ControlType type = ControlType::kLabel;
  std::string name;
  int parent = 0;  // index of the parent entry in the window's entries; 0 is the window
  int page = -1;   // 0-based page of the parent tab control, -1 when the parent is no tab
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  unsigned flags = 0;  // LayoutFlag
  unsigned style = 0;  // LayoutStyle
  std::string text;    // caption or initial text (window: title)
  std::string mark;
  std::vector<std::string> items;  // combo box entries, tab pages
  int selection = -1;              // combo box: initially selected entry
  std::vector<EventBinding> events;
};

enum class WindowKind { kMain, kTimeDifference };

struct WindowLayout {
  WindowKind kind = WindowKind::kMain;
  std::vector<LayoutEntry> entries;  // entries[0] is the window itself
};

const WindowLayout& GetWindowLayout(WindowKind kind);

}  // namespace velmora
