#include "gui/gui_text.h"

#include <algorithm>

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

namespace {

// The bytes of the first characters of a GB18030 text: a lead byte above 0x80 starts a two-byte
// character, or a four-byte one when a digit follows it.
std::string_view FirstCharacters(std::string_view gbk, int characters) {
  std::size_t end = 0;
  for (int i = 0; i < characters && end < gbk.size(); ++i) {
    std::size_t length = 1;
    if (static_cast<unsigned char>(gbk[end]) > 0x80 && end + 1 < gbk.size()) {
      const char next = gbk[end + 1];
      length = next >= '0' && next <= '9' ? 4 : 2;
    }
    end = std::min(end + length, gbk.size());
  }
  return gbk.substr(0, end);
}

}  // namespace

QString ListEntryDisplay(std::string_view gbk) {
  QString text = ToQt(FirstCharacters(gbk, kListEntryShownCharacters));
  const QString symbol = QStringLiteral(" \u21b5 ");
  text.replace(QStringLiteral("\r\n"), symbol);
  text.replace(QLatin1Char('\r'), symbol);
  text.replace(QLatin1Char('\n'), symbol);
  return text;
}

}  // namespace velmora
