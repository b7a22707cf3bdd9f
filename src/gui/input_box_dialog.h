#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace velmora {

// The input box: a prompt in a sunken frame, one line to type in, confirm and cancel. Placed by
// the fixed template in dialog units of its font (宋体 9 pt where available).
class InputBoxDialog : public QDialog {
 public:
  InputBoxDialog(const QString& prompt, const QString& title);

  QString text() const { return edit_->text(); }
  QLineEdit* edit() const { return edit_; }

 private:
  QLineEdit* edit_;
};

}  // namespace velmora
