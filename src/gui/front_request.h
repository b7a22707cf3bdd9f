#pragma once

// A second start on a run directory that a running program holds asks that program to bring
// its main window to the front, and ends. The request travels over a local socket named after
// the run directory (RunDirectoryKey); the holder listens on it for as long as it runs.

#include <QLocalServer>
#include <QObject>
#include <functional>
#include <string>

class QWidget;

namespace velmora {

class FrontRequestServer : public QObject {
 public:
  // Listens under key; every request calls bring_to_front. A socket left by a killed holder is
  // removed first: only the holder of the run directory's lock comes here.
  FrontRequestServer(const std::string& key, std::function<void()> bring_to_front);
  bool listening() const { return server_.isListening(); }

 private:
  void Answer();

  QLocalServer server_;
  std::function<void()> bring_to_front_;
};

// Asks the program listening under key; true once it has answered. Retries until timeout_ms
// have passed, since the holder may be starting still.
[[nodiscard]] bool RequestFront(const std::string& key, int timeout_ms);

// Restores the window if minimised, shows, raises and activates it; a modal dialog open over it
// comes along, since that is where the user's answer is awaited. Without a window (the program
// is still starting) only the dialog comes forward.
void BringToFront(QWidget* window);

}  // namespace velmora
