#include "gui/qt_shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "runtime/file_system.h"

namespace velmora {

void QtShell::ShowFolder(std::string_view path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(NativePath(path))));
}

}  // namespace velmora
