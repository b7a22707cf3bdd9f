#include "ui/layout.h"

#include "ui/layout_builder.h"

namespace velmora {

const WindowLayout& GetWindowLayout(WindowKind kind) {
  static const WindowLayout kMain = BuildMainWindowLayout();
  static const WindowLayout kTimeDifference = BuildTimeDifferenceLayout();
  return kind == WindowKind::kTimeDifference ? kTimeDifference : kMain;
}

}  // namespace velmora
