#pragma once

#include <QWidget>

#include "ui/layout.h"

namespace velmora {

// The widget for one layout entry, set up with its type-specific settings (captions and values
// come from the model afterwards). Bridge objects have no widget: nullptr.
QWidget* CreateControlWidget(const LayoutEntry& entry, QWidget* parent);

// The widget that holds the children of a layout entry: the entry's own widget, or for a tab
// control the page that the child names.
QWidget* ChildHolder(QWidget* parent_widget, const LayoutEntry& parent_entry, int page);

}  // namespace velmora
