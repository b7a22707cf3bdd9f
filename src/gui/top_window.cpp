#include "gui/top_window.h"

#include <QCloseEvent>
#include <QScreen>

namespace velmora {

TopWindow::TopWindow(QSize outer_size, bool sizeable)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      outer_size_(outer_size),
      sizeable_(sizeable) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  FitOuterSize();
}

void TopWindow::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  move(area.left() + (area.width() - outer_size_.width()) / 2,
       area.top() + (area.height() - outer_size_.height()) / 2);
}

void TopWindow::FitOuterSize() {
  const QSize client = outer_size_ - margins_;
  if (sizeable_) {
    resize(client);
  } else {
    setFixedSize(client);
  }
}

void TopWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (close_request_) close_request_();
}

bool TopWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  const QEvent::Type type = event->type();
  if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) {
    const QSize margins = frameGeometry().size() - geometry().size();
    if (isVisible() && margins != margins_ && margins.width() >= 0 && margins.height() >= 0) {
      margins_ = margins;
      FitOuterSize();
    }
  }
  return handled;
}

}  // namespace velmora
