#include "gui/input_box_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QScreen>

namespace velmora {
namespace {

// Dialog units to pixels: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    base_x_ = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    base_y_ = metrics.height();
  }
  QRect Rect(int left, int top, int width, int height) const {
    return QRect(X(left), Y(top), X(width), Y(height));
  }
  int X(int units) const { return units * base_x_ / 4; }
  int Y(int units) const { return units * base_y_ / 8; }

 private:
  int base_x_ = 6;
  int base_y_ = 12;
};

}  // namespace

InputBoxDialog::InputBoxDialog(const QString& prompt, const QString& title)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      edit_(new QLineEdit(this)) {
  QFont font = QApplication::font();
  QStringList families{QStringLiteral("SimSun"), QStringLiteral("宋体")};
  families.append(font.families());
  font.setFamilies(families);
  font.setPointSize(9);
  setFont(font);
  const DialogUnits units(font);

  setWindowTitle(title.isEmpty() ? QStringLiteral("请输入：") : title);
  setWindowModality(Qt::ApplicationModal);
  setObjectName(QStringLiteral("输入框"));

  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setGeometry(units.Rect(7, 7, 238, 35));

  auto* label = new QLabel(prompt, this);
  label->setObjectName(QStringLiteral("提示文本"));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(units.Rect(12, 11, 229, 27));

  edit_->setObjectName(QStringLiteral("输入文本框"));
  edit_->setAccessibleName(QStringLiteral("输入文本框"));
  edit_->setGeometry(units.Rect(7, 45, 238, 12));

  auto* ok = new QPushButton(QStringLiteral("确认输入(&O)"), this);
  ok->setObjectName(QStringLiteral("确认输入按钮"));
  ok->setDefault(true);
  ok->setAutoDefault(true);
  ok->setGeometry(units.Rect(63, 66, 55, 19));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
  cancel->setObjectName(QStringLiteral("取消按钮"));
  cancel->setAutoDefault(false);
  cancel->setGeometry(units.Rect(134, 66, 55, 19));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  setFixedSize(units.X(252), units.Y(92));
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }
  edit_->setFocus();
}

}  // namespace velmora
