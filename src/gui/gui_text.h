#pragma once

// Texts cross between the model (GBK, CR LF line breaks) and the widgets (UTF-16, LF) only here.

#include <QString>
#include <string>
#include <string_view>

#include "ui/entry_text.h"

namespace velmora {

QString ToQt(std::string_view gbk);
std::string FromQt(const QString& text);

// A model text for a widget that shows line breaks: CR LF becomes LF.
QString ToQtLines(std::string_view gbk);
// A widget text with LF line breaks for the model: every LF becomes CR LF.
std::string FromQtLines(const QString& text);

// One line for a list entry (ListEntryLine in ui/entry_text.h).
QString ListEntryDisplay(std::string_view gbk);

}  // namespace velmora
