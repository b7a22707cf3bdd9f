#include "gui/top_window.h"

#include <xcb/xproto.h>

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <cstdint>

#include "ui/window_fit.h"

namespace velmora {
namespace {

constexpr std::uint8_t kSentByClient = 0x80;

int Rounded(double value) { return static_cast<int>(std::lround(value)); }

QRect Scaled(const QRect& rect, double scale) {
  return {Rounded(rect.x() * scale), Rounded(rect.y() * scale), Rounded(rect.width() * scale),
          Rounded(rect.height() * scale)};
}

int ToDevice(int logical, double ratio) { return Rounded(logical * ratio); }

// The logical rectangle that lies inside a device rectangle.
QRect ToLogical(const ScreenRect& device, double ratio) {
  const int left = static_cast<int>(std::ceil(device.left / ratio));
  const int top = static_cast<int>(std::ceil(device.top / ratio));
  const int right = static_cast<int>(std::floor((device.left + device.width) / ratio));
  const int bottom = static_cast<int>(std::floor((device.top + device.height) / ratio));
  return {left, top, right - left, bottom - top};
}

}  // namespace

TopWindow::TopWindow(QSize outer_size, bool sizeable)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      outer_size_(outer_size),
      sizeable_(sizeable) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  QCoreApplication::instance()->installNativeEventFilter(this);
  Fit(false);
}

TopWindow::~TopWindow() { QCoreApplication::instance()->removeNativeEventFilter(this); }

void TopWindow::Place(QWidget* control, QRect layout_rect) {
  placed_.emplace_back(control, layout_rect);
  control->setGeometry(Scaled(layout_rect, scale_));
}

void TopWindow::CentreOnScreen() {
  centred_ = true;
  Fit(true);
}

void TopWindow::Fit(bool move) {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const double ratio = screen->devicePixelRatio();
  const QRect area = screen->availableGeometry();
  const ScreenRect work{ToDevice(area.x(), ratio), ToDevice(area.y(), ratio),
                        ToDevice(area.width(), ratio), ToDevice(area.height(), ratio)};
  // Qt gives the margins in whole logical pixels: at a fractional ratio the frame may be up to
  // a device pixel wider than they say.
  const int rounding = ratio == std::floor(ratio) ? 0 : static_cast<int>(std::ceil(ratio));
  const WindowFrame frame{ToDevice(margins_.width(), ratio) + rounding,
                          ToDevice(margins_.height(), ratio) + rounding};
  const int preferred = Rounded(ratio * kLayoutDotsPerInch);
  const WindowFit fit =
      FitWindow(outer_size_.width(), outer_size_.height(), frame, work, preferred, centred_);

  const double scale = static_cast<double>(fit.dpi) / preferred;
  if (scale != scale_) {
    scale_ = scale;
    // The controls inherit the window's font.
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * scale_);
    setFont(scale_ == 1.0 ? QFont() : font);
    std::erase_if(placed_, [](const auto& control) { return control.first.isNull(); });
    for (const auto& [control, rect] : placed_) control->setGeometry(Scaled(rect, scale_));
  }
  // The client in whole logical pixels, so that with the frame it stays inside the device
  // rectangle.
  const QRect outer = ToLogical(fit.outer, ratio);
  const QSize client(static_cast<int>(std::floor((outer.width() * ratio - frame.width) / ratio)),
                     static_cast<int>(std::floor((outer.height() * ratio - frame.height) / ratio)));
  if (sizeable_) {
    resize(client);
  } else {
    setFixedSize(client);
  }
  if (!move) return;
  // A framed window is placed by its frame; before it has one, by its client's corner.
  if (QWindow* handle = windowHandle(); handle != nullptr && isVisible()) {
    handle->setFramePosition(outer.topLeft());
  } else {
    QWidget::move(outer.topLeft());
  }
}

void TopWindow::TakeFrameMargins() {
  // From the platform window: the widget keeps the frame it saw at the last move or resize.
  const QWindow* handle = windowHandle();
  if (handle == nullptr) return;
  const QMargins frame = handle->frameMargins();
  const QSize margins(frame.left() + frame.right(), frame.top() + frame.bottom());
  if (!isVisible() || margins == margins_ || margins.width() < 0 || margins.height() < 0) return;
  margins_ = margins;
  Fit(centred_);
}

void TopWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (close_request_) close_request_();
}

bool TopWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  const QEvent::Type type = event->type();
  if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) TakeFrameMargins();
  return handled;
}

// The window manager announces its frame in a property of the window (_NET_FRAME_EXTENTS), which
// may come after the last move or resize of the window. Qt reads the new margins when asked, once
// it has handled the event: they are taken after it.
bool TopWindow::nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) {
  if (type != "xcb_generic_event_t" || internalWinId() == 0) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & ~kSentByClient) == XCB_PROPERTY_NOTIFY &&
      static_cast<const xcb_property_notify_event_t*>(message)->window == internalWinId()) {
    QMetaObject::invokeMethod(
        this, [this] { TakeFrameMargins(); }, Qt::QueuedConnection);
  }
  return false;
}

}  // namespace velmora
