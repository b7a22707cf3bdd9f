#pragma once

#include <QCheckBox>

namespace velmora {

// A check box that, like the desktop's own, toggles on a click anywhere in its rectangle and can
// centre its caption.
class CheckBox : public QCheckBox {
 public:
  explicit CheckBox(QWidget* parent, bool centred);

 protected:
  bool hitButton(const QPoint& pos) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool centred_;
};

}  // namespace velmora
