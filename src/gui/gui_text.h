#pragma once

// Texts cross between the model (GBK, CR LF line breaks) and the widgets (UTF-16, LF) only here.

#include <QString>
#include <string>
#include <string_view>

namespace velmora {

QString ToQt(std::string_view gbk);
std::string FromQt(const QString& text);

// A model text for a widget that shows line breaks: CR LF becomes LF.
QString ToQtLines(std::string_view gbk);
// A widget text with LF line breaks for the model: every LF becomes CR LF.
std::string FromQtLines(const QString& text);

// One line for a list entry: each CR LF (or lone CR or LF) shows as a return symbol. Only the
// first characters are kept, more than a row can show, so that a long entry costs no more to
// lay out and paint than a short one.
inline constexpr int kListEntryShownCharacters = 256;
QString ListEntryDisplay(std::string_view gbk);

}  // namespace velmora
