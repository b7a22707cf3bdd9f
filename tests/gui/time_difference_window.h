#pragma once

// The time-difference window is modal by disabling the other windows, not a Qt modal widget,
// so the window tests find it by its title.

#include <QApplication>
#include <QString>
#include <QWidget>

namespace velmora {

inline QWidget* OpenTimeDifferenceWindow() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->windowTitle() == QStringLiteral("时差计算")) return top;
  }
  return nullptr;
}

}  // namespace velmora
