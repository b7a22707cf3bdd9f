#include "gui/application_setup.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmora {

void SetUpApplication(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

  // The system's GUI font, at the size the layout's pixel geometry was made for (9 points).
  QFont font = QApplication::font();
  QStringList families{font.family()};
  for (const char* family : {"Microsoft YaHei", "WenQuanYi Micro Hei", "Noto Sans CJK SC"}) {
    families.append(QString::fromLatin1(family));
  }
  font.setFamilies(families);
  font.setPointSize(9);
  QApplication::setFont(font);

  QIcon icon;
  for (const int size : {16, 32, 48, 256}) {
    icon.addFile(QStringLiteral(":/velmora/velmora-%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);
  app.setQuitOnLastWindowClosed(false);
}

}  // namespace velmora
