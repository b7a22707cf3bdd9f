#pragma once

#include <QApplication>

namespace velmora {

// What every run of the windows needs before the first window: Chinese for Qt's own texts
// (context menus, calendar), the Chinese locale, the program icon, and a font that names
// Chinese families explicitly, so that Chinese never falls back to Japanese glyph forms.
void SetUpApplication(QApplication& app);

}  // namespace velmora
