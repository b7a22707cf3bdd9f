#include "gui/gui_text.h"

#include "runtime/gbk_codec.h"

namespace velmora {

QString ToQt(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }

std::string FromQt(const QString& text) { return Utf8ToGbk(text.toStdString()); }

QString ToQtLines(std::string_view gbk) {
  QString text = ToQt(gbk);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string FromQtLines(const QString& text) {
  QString model = text;
  model.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  model.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return FromQt(model);
}

QString ListEntryDisplay(std::string_view gbk) {
  return QString::fromStdString(ListEntryLine(gbk));
}

}  // namespace velmora
