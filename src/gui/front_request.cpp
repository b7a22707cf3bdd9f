#include "gui/front_request.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>
#include <algorithm>

namespace velmora {

namespace {

constexpr char kRequest = 'F';
constexpr char kAnswer = 'K';
constexpr int kStepMs = 100;

QString ServerName(const std::string& key) { return QString::fromStdString(key); }

}  // namespace

FrontRequestServer::FrontRequestServer(const std::string& key, std::function<void()> bring_to_front)
    : bring_to_front_(std::move(bring_to_front)) {
  QLocalServer::removeServer(ServerName(key));
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &FrontRequestServer::Answer);
  static_cast<void>(server_.listen(ServerName(key)));
}

void FrontRequestServer::Answer() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->readAll().contains(kRequest)) return;
      bring_to_front_();
      socket->write(&kAnswer, 1);
      socket->flush();
    });
  }
}

bool RequestFront(const std::string& key, int timeout_ms) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (true) {
    QLocalSocket socket;
    socket.connectToServer(ServerName(key));
    if (socket.waitForConnected(kStepMs) && socket.write(&kRequest, 1) == 1 &&
        socket.waitForBytesWritten(kStepMs)) {
      const int left = std::max(kStepMs, timeout_ms - static_cast<int>(elapsed.elapsed()));
      return socket.waitForReadyRead(left) && socket.readAll().contains(kAnswer);
    }
    if (elapsed.elapsed() >= timeout_ms) return false;
    QThread::msleep(kStepMs);
  }
}

void BringToFront(QWidget* window) {
  if (window != nullptr) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
  }
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != window) {
    modal->raise();
    modal->activateWindow();
  }
}

}  // namespace velmora
