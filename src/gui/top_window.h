#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

namespace velmora {

// A top-level window whose outer size (frame and title bar included) is the layout's size at the
// screen's device pixel ratio, as long as that fits the work area of its screen; where it does
// not, the window and its controls take the largest scale that fits. The frame margins are known
// only once the window manager has framed the window, and may come long after it is shown, so
// the size is corrected whenever they change.
class TopWindow : public QWidget, private QAbstractNativeEventFilter {
 public:
  TopWindow(QSize outer_size, bool sizeable);
  ~TopWindow() override;

  // Called when the user asks to close the window; the window stays until the model lets it go.
  void SetCloseRequest(std::function<void()> request) { close_request_ = std::move(request); }
  // Puts a control at its layout rectangle, at the window's scale, now and whenever it changes.
  void Place(QWidget* control, QRect layout_rect);
  // Scales the window to fit the work area of its screen and places it in the middle of it.
  void CentreOnScreen();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
  // The scale and size for the screen and the frame as they stand; with `move`, the place too.
  void Fit(bool move);
  void TakeFrameMargins();

  QSize outer_size_;
  bool sizeable_;
  bool centred_ = false;
  QSize margins_;
  double scale_ = 1.0;  // logical pixels per layout pixel: 1 where the window fits unreduced
  std::vector<std::pair<QPointer<QWidget>, QRect>> placed_;
  std::function<void()> close_request_;
};

}  // namespace velmora
