#pragma once

#include <QSize>
#include <QWidget>
#include <functional>

namespace velmora {

// A top-level window whose outer size (frame and title bar included) is the layout's size. The
// frame margins are known only once the platform has framed the window, so the client size is
// corrected whenever they change.
class TopWindow : public QWidget {
 public:
  TopWindow(QSize outer_size, bool sizeable);

  // Called when the user asks to close the window; the window stays until the model lets it go.
  void SetCloseRequest(std::function<void()> request) { close_request_ = std::move(request); }
  // Places the window in the middle of its screen, by its outer size.
  void CentreOnScreen();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void FitOuterSize();

  QSize outer_size_;
  bool sizeable_;
  QSize margins_;
  std::function<void()> close_request_;
};

}  // namespace velmora
