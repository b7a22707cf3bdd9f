// The floor of the start-up benchmark: a Qt program with the program's own application set-up
// (translations, fonts, icon) showing one window of the main window's size with one button.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

#include "gui/application_setup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::SetUpApplication(app);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Velmorav1.0"));
  window.resize(981, 621);
  QPushButton button(QStringLiteral("确定"), &window);
  button.setGeometry(16, 16, 96, 24);
  window.show();
  return QApplication::exec();
}
