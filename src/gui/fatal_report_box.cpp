#include "gui/fatal_report_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/gui_text.h"

namespace velmora {

void FatalReportBox::ShowFatalReport(std::string_view body) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), ToQtLines(body),
                  QMessageBox::NoButton);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

}  // namespace velmora
