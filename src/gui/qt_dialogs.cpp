#include "gui/qt_dialogs.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/gui_text.h"
#include "gui/input_box_dialog.h"

namespace velmora {

int QtDialogs::MessageBox(std::string_view text, int flags, std::string_view title) {
  QMessageBox box(QMessageBox::NoIcon, ToQtLines(title), ToQtLines(text), QMessageBox::NoButton);
  box.setObjectName(QStringLiteral("信息框"));
  // The texts are the program's and the user's own: never read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  QPushButton* cancel = nullptr;
  if ((flags & 0xF) == kMessageOkCancel) {
    cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  }
  box.setDefaultButton(ok);
  // Without an escape button the box ignores Esc and its close button.
  box.setEscapeButton(cancel != nullptr ? cancel : ok);
  box.exec();
  return cancel != nullptr && box.clickedButton() == cancel ? kResultCancel : kResultOk;
}

bool QtDialogs::InputBox(std::string_view prompt, std::string_view title, std::string& text) {
  InputBoxDialog dialog(ToQtLines(prompt), ToQtLines(title));
  if (dialog.exec() != QDialog::Accepted) return false;
  text = FromQt(dialog.text());
  return true;
}

}  // namespace velmora
